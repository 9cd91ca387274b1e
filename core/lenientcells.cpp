#include "lenientcells.h"

void LenientCells::Add(const LenientCells& later) {
    if (Count == 0) {
        Line = later.Line;
        Column = later.Column;
        Text = later.Text;
    }
    Count += later.Count;
}

std::string LenientCells::Describe(std::string_view what, const std::string& fileName) const {
    if (Count == 0) return {};
    return std::string(what) + ": " + std::to_string(Count) + " in \"" + fileName +
           "\", the first at line " + std::to_string(Line) + ", column " + std::to_string(Column) +
           ": \"" + Text + "\".";
}
