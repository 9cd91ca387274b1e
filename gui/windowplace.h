// A window's place and size in its settings, put back on a screen when read.
#pragma once

class QRect;
class QWidget;
class RegKey;

// The place a window restores from its settings, kept on a screen: a Left beyond the virtual
// screen's width or a Top beyond its height becomes 10 (as stored places always were pulled
// back); then the top-left moves into the available area of the screen that holds it (the
// primary screen when none does) and the size shrinks to that area. Settings from another
// screen or a hand edit would otherwise open a window out of reach or of any size.
QRect PlaceOnScreen(int left, int top, int width, int height);
// Moves `window` (its frame's top-left) and sizes it to the place PlaceOnScreen gives.
void RestoreWindowPlace(QWidget& window, int left, int top, int width, int height);
// RestoreWindowPlace with "Left", "Top", "Width", "Height" stored under `key`; a missing value
// keeps the present one.
void ReadWindowPlace(QWidget& window, const RegKey& key);
void WriteWindowPlace(const QWidget& window, RegKey& key);
