#include "toolglobals.h"

bool CGHToolOpen = false;
bool ExpressionToolOpen = false;
WindowHandle MainWindowHandle = 0;
