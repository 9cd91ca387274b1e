// Step rules of the map's controls: zoom, scroll steps and the chromosome chooser.
#pragma once

#include <QString>

// The largest zoom, that of the menu's last item.
constexpr int kMaxZoom = 100000;

// Zoom after one tool-button step in (direction > 0) or out (< 0): the step grows with the zoom
// (max(1, zoom div 20) x round(ln zoom)); the result lies in 1..kMaxZoom.
int SteppedZoom(int zoom, int direction);

// Line step of a scroll bar: along the chromosomes max(1, longest chromosome div zoom div 19),
// across them the paint box's extent across div 19. The page step is 15 line steps.
int ScrollLineStep(bool along, int longestChromosome, int zoom, int acrossExtent);

// The chooser's chromosome number after an up or down click from its text ("x" 23, "y" 24,
// "all", any other text and numbers outside 1..count + 1 stand for count + 1, all chromosomes),
// wrapping within 1..count + 1.
int ChooserStep(const QString& text, int chromosomeCount, bool up);
// The chooser's text for chromosome n: the number, "x" for 23, "y" for 24.
QString ChooserText(int n);
