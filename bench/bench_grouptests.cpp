// Times the CGH group test: bench_grouptests [PROBES=1000000] [HYBS=50] [GROUPS=0] [THREADS=0]
// tests PROBES probes of HYBS hybridisations in two halves (Welch) and three near-equal groups
// (ANOVA), or only in GROUPS groups when GROUPS is 1 to 3, on THREADS threads (0 = all), then the
// gene-proximity filter with 50,000 genes over those probes. Data are generated: normal values
// with a shifted block, genes spread over the probes. Times are medians of three runs.
#include "grouptests.h"
#include "parallel.h"
#include "pvaluefilters.h"
#include "records.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

int kProbes = 1000000;
int kHybs = 50;

int ProbesOn(int c) {
    return kProbes / kChromosomes + (c <= kProbes % kChromosomes ? 1 : 0);
}

template <typename F> double MedianSeconds(int runs, F&& f) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(t1 - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string Members(int first, int last) {
    std::string text;
    for (int h = first; h <= last; ++h) text.append(std::to_string(h)).push_back(',');
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) kProbes = std::max(std::atoi(argv[1]), kChromosomes);
    if (argc > 2) kHybs = std::clamp(std::atoi(argv[2]), 2, kMaxHybridisations);
    const int only = argc > 3 ? std::atoi(argv[3]) : 0;
    SetThreadLimit(argc > 4 ? std::atoi(argv[4]) : 0);
    auto data = std::make_unique<tCGH_DataSet>();
    std::mt19937 rng(7);
    std::normal_distribution<float> noise(0.0f, 0.3f);
    data->HNum = kHybs;
    for (int h = 1; h <= kHybs; ++h) {
        data->Hyb[h].FileName = "hyb" + std::to_string(h);
        for (int c = 1; c <= kChromosomes; ++c) {
            const int n = ProbesOn(c);
            tCGHProbeArray& a = data->Hyb[h].Chr[c];
            a.Resize(n + 2);
            a.SetCount(n);
            float* v = a.WritableSlot(11);
            for (int i = 1; i <= n; ++i) {
                v[i] = noise(rng) + (h <= kHybs / 2 && c == 8 && i < n / 4 ? 0.4f : 0.0f);
                if (h == 1) {
                    a.Set(2, i, 2500.0f * i);
                    a.Set(3, i, 2500.0f * i + 60.0f);
                }
            }
        }
    }

    auto stat = std::make_unique<tStat>();
    stat->Alpha = 0.01f;
    for (int k = 1; k <= 3; ++k) {
        if (only != 0 ? k != only : k == 1) continue;
        stat->GroupCount = k;
        for (int g = 1; g <= k; ++g)
            stat->GroupText[g] = Members(1 + kHybs * (g - 1) / k, kHybs * g / k);
        const double s = MedianSeconds(3, [&] { CGHGroupTest(*stat, *data); });
        std::printf("CGHGroupTest, %d probes x %d hybridisations, %d groups, %d threads: %.3f s "
                    "(%d significant)\n",
                    kProbes, kHybs, k, ThreadLimit(), s, stat->SignificantCount);
    }
    if (only != 0) return 0;

    // The filter needs hybridisation 1 only; free the others' memory first.
    for (int h = 2; h <= kHybs; ++h)
        for (auto& a : data->Hyb[h].Chr) a.Clear();
    std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
    for (int c = 1; c <= kChromosomes; ++c) {
        tCGHProbeArray& a = data->Hyb[1].Chr[c];
        for (int i = 1; i <= a.Count(); ++i) a.Set(15, i, uniform(rng) * 0.2f);
    }
    constexpr int kGenes = 50000;
    auto h = std::make_unique<tHeatmap>();
    h->GeneCount = kGenes;
    h->Data.assign(2, std::vector<float>(kGenes + 2, 0.001f));
    h->GAnno.resize(kGenes + 2);
    std::uniform_int_distribution<int> length(1000, 80000);
    for (int g = 1; g <= kGenes; ++g) {
        const int c = 1 + (g - 1) % kChromosomes;
        const int span = 2500 * ProbesOn(c);
        h->GAnno[g].Chr = c;
        h->GAnno[g].Start = static_cast<int>(static_cast<long long>(span) * g / (kGenes + 1));
        h->GAnno[g].Stop = h->GAnno[g].Start + length(rng);
    }
    const double proximity =
        MedianSeconds(3, [&] { GeneProximityPValueFilter(*data, *h, 0.05f, 0.01f, 20000, 3); });
    stat->Alpha = 0.05f;
    CountSignificantProbes(*stat, *data);
    std::printf("GeneProximityPValueFilter, 50,000 genes, 1,000,000 probes: %.3f s (%d shown)\n",
                proximity, stat->SignificantCount);
    return 0;
}
