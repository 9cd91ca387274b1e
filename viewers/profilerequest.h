// The group selector's profile editor requests, answered by the profile editor.
#pragma once

#include "plotviewers.h"

// Fills an editor from the request, runs it modally and, on OK, copies the levels back.
bool RunProfileEditor(QWidget* parent, ProfileEditorRequest& request);
