// The image viewer's step tables: zoom levels with their picture sizes, and the p threshold of
// its track bar.
#pragma once

#include <cstdint>
#include <string>

// The level after a zoom-in or zoom-out step from `level`.
int32_t ZoomInLevel(int32_t level);
int32_t ZoomOutLevel(int32_t level);

struct ZoomSize {
    int32_t Width = 1, Height = 1;
};
// The shown size of a w x h picture at `level`: 2..100 enlarge by 1 + level / 10, -2..-100
// shrink by the divisor table (1.1 .. 10), any other level is 100 %; each side at least 1.
ZoomSize ZoomPictureSize(int32_t level, int32_t w, int32_t h);
// The Info line of a zoom: "W" x "H" "; " w x h.
std::string ZoomInfoLine(ZoomSize shown, int32_t w, int32_t h);

// The p threshold of track-bar position 0..92: 1.0 down to 0.1, then nine steps per decade down
// to 3e-10 at 88; 89 and 92 give 0, 90 gives 2e-10, 91 gives 1e-10.
double PThresholdAt(int32_t position);
