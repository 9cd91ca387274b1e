// Keeping a window above the program's other windows.
#pragma once

class QWidget;

// Sets or clears the window's stay-on-top hint. Some window managers ignore the hint.
void SetStaysOnTop(QWidget& window, bool onTop);
