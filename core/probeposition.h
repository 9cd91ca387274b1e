// The probe rows of the CGH text readers: genomic positions such as "chr7:1000-2000", and values.
#pragma once

#include <string_view>

// The readers store a file's value times this: the square root of 10.
inline constexpr double kCGHValueFactor = 3.16227766016838;

// A value cell as stored: its lenient value times kCGHValueFactor, held within the singles' range.
float ScaledCGHValue(std::string_view cell);
// A value read from a file, as stored.
float ScaledCGHValue(double value);

struct ProbePosition {
    int chr = 0;
    int start = 0;
    int end = 0;
};

// Chromosome from the text before the first ":" less its first three characters ("X" 23,
// "Y" 24, capitals only; otherwise its leading whole number, 0 when there is none); start and
// end from the text after the ":", cut at the first "-". Missing parts read as 0.
ProbePosition ParseProbePosition(std::string_view text);
