// Times the CGH group test over 1,000,000 probes in two groups of 25 hybridisations (and, for
// comparison, three groups) and the gene-proximity filter with 50,000 genes over those probes.
// Data are generated: normal values with a shifted block, genes spread over the probes.
#include "grouptests.h"
#include "pvaluefilters.h"
#include "records.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int kProbes = 1000000;
constexpr int kHybs = 50;

int ProbesOn(int c) {
    return kProbes / kChromosomes + (c <= kProbes % kChromosomes ? 1 : 0);
}

template <typename F> double BestSeconds(int runs, F&& f) {
    double best = 1e30;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
    }
    return best;
}

std::string Members(int first, int last) {
    std::string text;
    for (int h = first; h <= last; ++h) text += std::to_string(h) + ",";
    return text;
}

} // namespace

int main() {
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
                v[i] = noise(rng) + (h <= 25 && c == 8 && i < n / 4 ? 0.4f : 0.0f);
                if (h == 1) {
                    a.Set(2, i, 2500.0f * i);
                    a.Set(3, i, 2500.0f * i + 60.0f);
                }
            }
        }
    }

    auto stat = std::make_unique<tStat>();
    stat->Alpha = 0.01f;
    stat->GroupCount = 2;
    stat->GroupText[1] = Members(1, 25);
    stat->GroupText[2] = Members(26, 50);
    const double two = BestSeconds(3, [&] { CGHGroupTest(*stat, *data); });
    std::printf("CGHGroupTest, 1,000,000 probes, 2 groups of 25: %.3f s (%d significant)\n", two,
                stat->SignificantCount);

    stat->GroupCount = 3;
    stat->GroupText[1] = Members(1, 17);
    stat->GroupText[2] = Members(18, 34);
    stat->GroupText[3] = Members(35, 50);
    const double three = BestSeconds(3, [&] { CGHGroupTest(*stat, *data); });
    std::printf("CGHGroupTest, 1,000,000 probes, 3 groups of 16-17: %.3f s (%d significant)\n",
                three, stat->SignificantCount);

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
        BestSeconds(3, [&] { GeneProximityPValueFilter(*data, *h, 0.05f, 0.01f, 20000, 3); });
    stat->Alpha = 0.05f;
    std::printf("GeneProximityPValueFilter, 50,000 genes, 1,000,000 probes: %.3f s (%d shown)\n",
                proximity, CountSignificantProbes(*stat, *data));
    return 0;
}
