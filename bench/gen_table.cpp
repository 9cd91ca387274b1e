// Writes a TAB-separated table such as an expression matrix's annotation: a heading row, then
// ROWS rows of COLS cells (identifiers, gene names, numbers, words, some UTF-8 and Latin-1
// letters), CR LF line ends; 55,000 x 50 gives about 25 MB.
// Usage: gen_table FILE [ROWS=55000] [COLS=50]
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [ROWS] [COLS]\n", argv[0]);
        return 2;
    }
    const int rows = argc > 2 ? std::atoi(argv[2]) : 55000;
    const int cols = argc > 3 ? std::atoi(argv[3]) : 50;
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> value(-20.0, 200.0);
    const char* words[] = {"alpha",      "beta", "gamma", "kinase", "receptor", "Zellkern",
                           "f\xc3\xbcr", // UTF-8
                           "caf\xe9"};   // Latin-1
    std::string line = "ID";
    for (int c = 2; c <= cols; ++c) line += "\tcol" + std::to_string(c);
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), f);
    char buf[32];
    for (int r = 1; r <= rows; ++r) {
        line = "G" + std::to_string(100000 + r);
        for (int c = 2; c <= cols; ++c) {
            line += '\t';
            switch (c % 4) {
            case 0:
                line += "GENE_" + std::to_string(rng() % 30000);
                break;
            case 1:
                line += words[rng() % 8];
                break;
            default: {
                const auto end =
                    std::to_chars(buf, buf + sizeof buf, value(rng), std::chars_format::fixed, 4);
                line.append(buf, end.ptr);
            }
            }
        }
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
    }
    if (std::fclose(f) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
