// Times the status-bar read-out of the map under the mouse and the gene search, with GENES gene
// features (default 60,000) over the human ideogram and the CGH track of 50 hybridisations of
// PROBES probes each (default 1,000,000): bench_map_readout [GENES [PROBES]]. Checks that the
// read-out renders nothing.
#include "benchapp.h"
#include "benchtime.h"
#include "genesearch.h"
#include "mainwindow.h"
#include "mapbench.h"
#include "records.h"
#include "synthetic_cgh.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Names of 3 to 6 letters and a number, spread evenly over the chromosomes in position order.
tFList SyntheticGenes(int count) {
    tFList genes(size_t(count) + 1);
    genes[0].Num[1] = float(count);
    synthetic::Random rnd(7);
    int64_t genome = 0;
    for (int c = 1; c <= kChromosomes; ++c) genome += synthetic::kLengths[c];
    int i = 1;
    for (int c = 1; c <= kChromosomes && i <= count; ++c) {
        const int n = c == kChromosomes
                          ? count - i + 1
                          : int(double(count) * double(synthetic::kLengths[c]) / double(genome));
        const double step = double(synthetic::kLengths[c]) / (n + 1);
        for (int k = 1; k <= n && i <= count; ++k, ++i) {
            tFeature& f = genes[size_t(i)];
            const int letters = 3 + int(rnd.Uniform() * 4);
            for (int l = 0; l < letters; ++l) f.Name += char('A' + int(rnd.Uniform() * 26));
            f.Name += std::to_string(1 + int(rnd.Uniform() * 20));
            f.Num[1] = float(c);
            f.Num[2] = float(step * k);
            f.Num[3] = float(step * k + 20000 + rnd.Uniform() * 50000);
            f.Num[4] = rnd.Uniform() < 0.5 ? 1.0f : -1.0f;
            f.Num[5] = 1;
            f.Str = {"", "GeneID:" + std::to_string(i), "GRCh38", "gene"};
        }
    }
    return genes;
}

} // namespace

int main(int argc, char** argv) {
    const BenchApplication app(argc, argv);
    const int geneCount = argc > 1 ? std::atoi(argv[1]) : 60000;
    const int probes = argc > 2 ? std::atoi(argv[2]) : 1000000;

    TfQuorbelView w;
    w.resize(1600, 1000);
    w.show();
    QApplication::processEvents();
    if (!LoadBenchIdeogram("")) return 1;
    FeatureLists[2] = SyntheticGenes(geneCount);
    synthetic::Fill(CGHData, probes, kMaxHybridisations, {}, 0.3, "hyb");
    BumpDataVersion();
    w.POM_Genes_ViewClick();
    w.POM_Genes_GeneNamesClick();
    w.TB_CGHClick();
    w.RepaintMap();

    // Moves over a grid of the whole map, most of them over gene tracks or the CGH track.
    const int W = w.MapView_PB1->width(), H = w.MapView_PB1->height();
    const qint64 image = w.MapView_PB1->Image().cacheKey();
    BumpDataVersion(); // a render in a move would now draw anew: it must not happen
    int named = 0, step = 0;
    const int moves = 20000;
    const double move = Time(moves, [&] {
        const int k = step++;
        w.MapView_PB1MouseMove((k * 37) % W, (k * 101) % H);
        named += !w.MouseText.isEmpty();
    });
    if (w.MapView_PB1->Image().cacheKey() != image) {
        std::fprintf(stderr, "the read-out rendered the map\n");
        return 1;
    }
    std::printf("read-out, %d gene features, %d x %d probes, %dx%d map: %.4f ms per mouse move "
                "(%d of %d moves named genes)\n",
                geneCount, kMaxHybridisations, probes, W, H, move, named, moves);

    const std::string words = "gapdh hprt* *prt1 *kin* rpl* *rps tp53 myc* ab* *11";
    int found = 0;
    const double bare = Time(20, [&] { found = SearchGeneNames(FeatureLists[2], words, nullptr); });
    MemoryLog log;
    const double reported =
        Time(20, [&] { found = SearchGeneNames(FeatureLists[2], words, &log); });
    const double shown = Time(5, [&] {
        w.Info_BB_ClearClick();
        found = SearchGeneNames(FeatureLists[2], words, &w.InfoLog);
    });
    std::printf("gene search, ten words over %d features: %.2f ms, %.2f ms with its report, "
                "%.2f ms with the report on the Info page (%d found)\n",
                geneCount, bare, reported, shown, found);
    return 0;
}
