// Band values of the coloured-chromosome view: the band pattern file, the demonstration pattern
// built into the program, the data range typed for the palette and the colour bar's labels.
//
// A band pattern file has one line per band: its name as the map spells it ("1p36.3", "xq21"),
// TAB and its value; lines end in CR LF.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct BandPattern {
    std::vector<std::string> Names; // sorted by their bytes, each once
    std::vector<double> Values;     // Values[i] belongs to Names[i]
    bool operator==(const BandPattern&) const = default;
};

// Reads a band pattern file; a name given twice keeps its last value, empty lines are skipped.
// Returns false with `errText` set (naming the line and the text of a value that is no number)
// when the file cannot be read or holds a line whose value is no number; `out` is then unchanged.
bool ReadBandPatternFile(const std::string& fileName, BandPattern& out, std::string& errText);

// Writes every band's line, the value with 9 decimals; the file is replaced only when all of it is
// written. Returns false with `errText` set on failure.
bool WriteBandPatternFile(const std::string& fileName, const BandPattern& pattern,
                          std::string& errText);

// The demonstration pattern's text: "name;value" lines for every band name the map draws for the
// shipped ideogram at any band resolution, values in 0.0002..0.83.
std::string_view DemoPatternText();
// The demonstration pattern read from that text.
BandPattern DemoBandPattern();

// Reads the data range "a,b" typed for palette `kind`: kind 3 (p-values) gives -log10 a and
// -log10 b (0 for a value of 0 or less), kind 4 (regulation) -m and m with m the larger of |a| and
// |b|, other kinds a and b. Returns false with `errText` set, changing nothing, when the text is
// not two numbers separated by ",".
bool ParseDataRange(std::string_view text, int kind, double& paletteMin, double& paletteMax,
                    std::string& errText);

// The colour bar's left and right labels for palette `kind`: 1 the range's ends without
// decimals, 2 the same followed by "%", 3 the p-values 10^-min and 10^-max ("1.0e-02"), 4 -max and
// max without decimals; both empty for other kinds.
std::pair<std::string, std::string> ColourBarLabels(int kind, double paletteMin, double paletteMax);
