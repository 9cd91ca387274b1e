// Genomic position texts of probe rows, such as "chr7:1000-2000".
#pragma once

#include <string_view>

struct ProbePosition {
    int chr = 0;
    int start = 0;
    int end = 0;
};

// Chromosome from the text before the first ":" less its first three characters ("X" 23,
// "Y" 24, capitals only; otherwise its leading whole number, 0 when there is none); start and
// end from the text after the ":", cut at the first "-". Missing parts read as 0.
ProbePosition ParseProbePosition(std::string_view text);
