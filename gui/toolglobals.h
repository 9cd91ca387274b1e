// State the main window shares with the view tools it opens.
#pragma once

#include "toolbus.h"

// A CGH (expression) view tool is open; while set, the command that opens one does nothing.
// The tool clears its flag when it closes.
extern bool CGHToolOpen;
extern bool ExpressionToolOpen;
// The instance of the main window activated last; the view tools send their commands here.
extern WindowHandle MainWindowHandle;
