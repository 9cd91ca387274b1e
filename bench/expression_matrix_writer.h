// Writes a synthetic expression matrix in the layout the reader's defaults expect: 7 header rows,
// 13 annotation columns (chromosome, start and stop in 10, 11 and 12), then one value per sample.
// Sample s is named "GSM" followed by 100000 + s in header row 1.
#pragma once

#include <charconv>
#include <cstdio>
#include <random>
#include <string>

// False when the file could not be written (errno tells why).
inline bool WriteExpressionMatrix(const char* path, int genes, int samples) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::mt19937_64 rng(42);
    std::normal_distribution<double> level(8.0, 2.0);
    std::string line;
    const char* labels[] = {"ID",   "Symbol", "Title", "Ref",   "Class", "Family", "Source",
                            "Band", "Strand", "Chr",   "Start", "Stop",  "Probe"};
    for (int r = 1; r <= 7; ++r) {
        line = r == 1 ? "ID" : "Header" + std::to_string(r);
        for (int k = 2; k <= 13; ++k) line += r == 1 ? std::string("\t") + labels[k - 1] : "\t";
        for (int s = 1; s <= samples; ++s)
            line += "\t" + (r == 1 ? "GSM" + std::to_string(100000 + s)
                                   : "group" + std::to_string((s + r) % 4));
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
    }
    char buf[32];
    for (int g = 1; g <= genes; ++g) {
        const int chr = static_cast<int>(rng() % 24) + 1;
        const long start = static_cast<long>(rng() % 240000000);
        line = "ENSG" + std::to_string(1000000 + g) + "\tGENE" + std::to_string(g) +
               "\tsome gene title\tNM_" + std::to_string(g) + "\tprotein\tfam\tsrc\t" +
               std::to_string(chr) + "q1\t+\t" +
               (chr == 23   ? std::string("X")
                : chr == 24 ? std::string("Y")
                            : std::to_string(chr)) +
               "\t" + std::to_string(start) + "\t" + std::to_string(start + 25000) + "\tP" +
               std::to_string(g);
        for (int s = 1; s <= samples; ++s) {
            const auto r =
                std::to_chars(buf, buf + sizeof buf, level(rng), std::chars_format::fixed, 5);
            line += '\t';
            line.append(buf, r.ptr);
        }
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
    }
    return std::fclose(f) == 0;
}
