// A tool window's place and size in its settings: "Left", "Top", "Width", "Height".
#pragma once

class QWidget;
class RegKey;

// Moves and sizes `window` as stored under `key` (missing values keep the present ones); a Left
// beyond the screen's width or a Top beyond its height becomes 10, so the window stays in reach.
void ReadWindowPlace(QWidget& window, const RegKey& key);
void WriteWindowPlace(const QWidget& window, RegKey& key);
