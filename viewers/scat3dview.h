// The view state of a 3D plot window (rotation, tilde, zoom, pan, modes, colours), the one-degree
// sine and cosine tables and the projection of a point onto the screen.
#pragma once

#include "colours.h"

#include <QRgb>
#include <array>
#include <cstdint>

using tPlot3DPalette = std::array<QRgb, 26>;

// The palette a window starts with: black over blues, greens, yellows and reds to white.
tPlot3DPalette DefaultPlot3DPalette();
// Scheme 1 (Black) or 2 (White) replaces entries 0..3; other schemes change nothing.
void ApplyColorScheme(tPlot3DPalette& palette, int scheme);

struct tPlot3DView {
    int32_t AngleX = 0, AngleY = 0, AngleZ = 0; // degrees 0..360
    float Tilde = 0.5f;                         // depth-to-screen factor
    float Zoom = 1.0f;
    int32_t PanX = 0, PanY = 0;
    bool CloudCentre = false;
    bool Plot3D = true; // rotated projection; false: the flat X/Y view
    bool PlaneXZ = false, PlaneXY = false, PlaneZY = false;
    int32_t ColourMode = 1; // 1 colours from the Color series, 2 red and black by gate
    uint32_t GateBits = 0;  // the gates switched on, bit g-1 for gate g
    TColor AxesColour = 0;
    TColor Background = 0xFFFFFF;
    tPlot3DPalette Palette = DefaultPlot3DPalette();
    int32_t ColourScheme = 1;
};

// Sine and cosine of d x 3.14156 / 180 for d = 0..360.
const std::array<float, 361>& SinTable();
const std::array<float, 361>& CosTable();

// An angle in 0..360 as it stands; any other reduced into 0..359 (-5 gives 355, 363 gives 3).
int NormaliseAngle(int64_t degrees);

struct tProjected {
    int x = 0, y = 0; // screen offsets from the origin
    float depth = 0;
};

// Turns (x, y, z) about X, then Y, then Z by the view's angles and projects it: the data's Y axis
// runs to the right, Z upward and X into the screen, shown obliquely through the tilde.
tProjected RotateProject(const tPlot3DView& view, float x, float y, float z);

// The same rotation and projection folded into one matrix: screen (u, v) = M (x, y, z), unrounded.
struct tProjection {
    float m[2][3];
};
tProjection FoldedProjection(const tPlot3DView& view);
