// Colours and groupings of the CGH hybridisations: the colour text typed for them and the CGH
// grouping file, which says which hybridisations are shown and in which colour.
//
// A grouping file has one line per shown hybridisation: its number, "," and its colour as a
// decimal 0x00BBGGRR value; lines end in CR LF.
#pragma once

#include "colourvalue.h"
#include "records.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The colour of each hybridisation 1..100 (entry 0 holds nothing of use).
using tSetColours = std::array<TColor, 101>;

struct SetColour {
    int Set = 0;
    TColor Colour = 0;
    bool operator==(const SetColour&) const = default;
};

// Reads "1:red;2:green;3:100,50,50" without regard to case: items separated by ";", each a set
// number 1..100, ":" and a colour, either a word (red, green, blue, black, maroon, navy, gray,
// olive, purple, teal, lime, yellow, fuchsia, aqua) or three whole numbers red, green, blue, each
// taken modulo 256 into 0..255. An item with another set number, a number that is no whole number
// or fewer than three numbers is skipped with one line in `skipped`; empty items are ignored.
std::vector<SetColour> ParseColourText(std::string_view text, std::vector<std::string>& skipped);

// A grouping file as read: hybridisations 0..50 and their colours, in file order. An empty line
// (and an empty file) reads as hybridisation 0 with colour 0, which shows nothing.
struct CGHGrouping {
    std::vector<SetColour> Entries;
    std::vector<std::string> Skipped; // one report line per line that was left out
};

// Reads a grouping file. Lines that are no "number,colour" pair of whole numbers (an empty part
// reads as 0), or whose number is outside 0..50, are left out with a line in Skipped. Returns
// false with `errText` set when the file cannot be read; `out` is then empty.
bool ParseCGHGroupingFile(const std::string& fileName, CGHGrouping& out, std::string& errText);

// Makes hybridisations 1..HNum inactive, then each entry's hybridisation active in its colour.
void ApplyCGHGrouping(const CGHGrouping& grouping, tCGH_DataSet& data, tSetColours& colours);

// Writes a line for each active hybridisation 1..HNum that has a file name; the file is replaced
// only when all of it is written. Returns false with `errText` set on failure.
bool WriteCGHGroupingFile(const std::string& fileName, const tCGH_DataSet& data,
                          const tSetColours& colours, std::string& errText);
