// Writes the demonstration band pattern (core/demopattern.txt): gen_demo_pattern IDEOGRAM OUT.
// Every band name the map draws for the ideogram at any band resolution, sorted, each with a
// value in 0.0002..0.83 that depends on the name alone, spread evenly on a log scale.
#include "ideogram.h"
#include "ideogrambands.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr double kLow = 0.0002, kHigh = 0.83;

// FNV-1a: a fixed spread of names over 0..1.
double Unit(const std::string& name) {
    uint32_t h = 2166136261u;
    for (const unsigned char c : name) h = (h ^ c) * 16777619u;
    return h / 4294967296.0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s IDEOGRAM OUT\n", argv[0]);
        return 2;
    }
    tFList bands;
    tGenomeLayout layout;
    int32_t type = 0;
    std::string error;
    if (!ReadIdeogramFile(std::string(argv[1]) + ";2,1,2,3,6,7,8,9,4", bands, layout, type, nullptr,
                          error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::vector<std::string> names = AllShownBandNames(bands, layout.ChromosomeCount, type);
    std::string text;
    for (const std::string& name : names) {
        const double v = std::clamp(kLow * std::pow(kHigh / kLow, Unit(name)), kLow, kHigh);
        text += name + ";" + FormatFixed(v, 6) + "\n";
    }
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%zu band names\n", names.size());
    return 0;
}
