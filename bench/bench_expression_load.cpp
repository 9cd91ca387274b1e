// Times the expression matrix reader on a file from gen_expression_matrix (55,000 genes x 1,000
// samples: target at most 1.5 s). Usage: bench_expression_load FILE [RUNS=5]
#include "elapsed.h"
#include "expressionmatrix.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        tHeatmap h; // the reader's default settings: chromosome, start, stop in columns 10-12
        std::string error;
        const Stopwatch clock;
        const int genes = LoadExpressionMatrix(h, argv[1], 7, 13, error);
        times.push_back(clock.Seconds());
        if (genes < 0) {
            std::fprintf(stderr, "load failed: %s\n", error.c_str());
            return 1;
        }
        std::printf("run %d: %d genes x %d samples in %.3f s\n", i + 1, genes, h.SampleCount,
                    times.back());
    }
    std::sort(times.begin(), times.end());
    std::printf("best %.3f s, median %.3f s\n", times.front(), times[times.size() / 2]);
    return 0;
}
