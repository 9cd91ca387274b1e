// Writes synthetic DSB data files of any size: a header line and data lines of 24 TAB-separated
// fields (value, chromosome, strand and position in fields 7..10), LF line ends. About 1 % of
// the lines name chromosome 0 or "MT", which the reader skips.
#pragma once

#include "numbers.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

// Writes `lines` data lines; false when the file cannot be written.
inline bool WriteDSBFile(const std::string& path, int64_t lines, uint32_t seed) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> chromosome(1, 24), position(1, 150000000);
    std::uniform_real_distribution<double> value(-150.0, 150.0);
    std::string text = "id\tsample\ttype\tscore\tq\tr\ts\tvalue\tchromosome\tstrand\tposition";
    for (int k = 11; k < 24; ++k) text += "\tf" + std::to_string(k);
    text += '\n';
    bool ok = true;
    for (int64_t i = 1; i <= lines && ok; ++i) {
        const int c = chromosome(rng);
        const bool skipped = rng() % 100 == 0;
        text += "dsb" + std::to_string(i) + "\tS1\tbreak\t1\t0\t0\t0\t" +
                FormatFixed(value(rng), 2) + "\t" +
                (skipped ? (i % 2 ? "0" : "MT") : std::to_string(c)) + "\t" +
                (rng() % 2 ? "-" : "+") + "\t" + std::to_string(position(rng));
        for (int k = 11; k < 24; ++k) text += "\tx";
        text += '\n';
        if (text.size() > (1 << 20) || i == lines) {
            ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
            text.clear();
        }
    }
    if (lines <= 0) ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && ok;
}
