// Synthetic CGH data sets for the benchmarks and the demo: probes spread over the GRCh38
// chromosome lengths, log2 ratios of noise around the level of each region.
#pragma once

#include "records.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace synthetic {

// GRCh38 primary assembly, chromosomes 1..22, X, Y (base pairs).
inline constexpr int64_t kLengths[kChromosomes + 1] = {
    0,         248956422, 242193529, 198295559, 190214555, 181538259, 170805979,
    159345973, 145138636, 138394717, 133797422, 135086622, 133275309, 114364328,
    107043718, 101991189, 90338345,  83257441,  80373285,  58617616,  64444167,
    46709983,  50818468,  156040895, 57227415};

// A copy-number change of one hybridisation: log2 ratio `level` from `start` to `stop` (bp).
struct Region {
    int hyb, chr;
    int64_t start, stop;
    float level;
};

// Deterministic generator (the same data on every run and every machine).
class Random {
  public:
    explicit Random(uint64_t seed) : s_(seed) {}
    double Uniform() { // (0, 1)
        s_ = s_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return (double(s_ >> 11) + 0.5) / 9007199254740992.0;
    }
    double Normal() { // Box-Muller
        return std::sqrt(-2.0 * std::log(Uniform())) * std::cos(6.283185307179586 * Uniform());
    }

  private:
    uint64_t s_;
};

// Fills hybridisations 1..hnum with `probes` probes over all 24 chromosomes.
inline void Fill(tCGH_DataSet& d, int probes, int hnum, const std::vector<Region>& regions,
                 double noise, const std::string& namePrefix) {
    ClearCGHDataSet(d);
    d.HNum = hnum;
    int64_t genome = 0;
    for (int c = 1; c <= kChromosomes; ++c) genome += kLengths[c];
    Random rnd(12345);
    int serial = 0;
    for (int c = 1; c <= kChromosomes; ++c) {
        const int n = int(double(probes) * double(kLengths[c]) / double(genome));
        const double step = double(kLengths[c]) / (n + 1);
        std::vector<float> start(size_t(n) + 1);
        auto& oligo = d.Oligo[c];
        oligo.assign(size_t(n) + 10, tOligoAnnotation{});
        oligo[0].Num[0] = float(n);
        for (int i = 1; i <= n; ++i) {
            start[i] = float(std::floor(step * (i - 0.5 + rnd.Uniform())));
            const std::string pos = std::to_string(int64_t(start[i]));
            oligo[i].Str[1] = "DEMO_P" + std::to_string(100000 + ++serial);
            oligo[i].Str[2] = "chr" + std::to_string(c) + ":" + pos + "-" +
                              std::to_string(int64_t(start[i]) + 60);
            oligo[i].Num[1] = float(c);
            oligo[i].Num[2] = start[i];
            oligo[i].Num[3] = start[i] + 60;
        }
        for (int h = 1; h <= hnum; ++h) {
            auto& a = d.Hyb[h].Chr[c];
            a.Resize(n + 10);
            a.SetCount(n);
            for (int i = 1; i <= n; ++i) {
                float level = 0;
                for (const auto& r : regions)
                    if (r.hyb == h && r.chr == c && start[i] >= r.start && start[i] <= r.stop)
                        level = r.level;
                const float v = level + float(noise * rnd.Normal());
                a.Set(1, i, float(c));
                a.Set(2, i, start[i]);
                a.Set(3, i, start[i] + 60);
                a.Set(4, i, v);
                a.Set(11, i, v);
                a.Set(17, i, 1.0f); // nothing significant yet
                a.Set(40, i, v);
            }
        }
    }
    for (int h = 1; h <= hnum; ++h) {
        d.Hyb[h].FileName = namePrefix + std::to_string(h) + ".txt";
        d.Hyb[h].Active = 1;
        d.Annotation[h][1] = d.Hyb[h].FileName;
    }
}

} // namespace synthetic
