// Writes the demo CGH data set that the start script opens: gen_demo_dataset OUT.cgm
// Six tumour-like hybridisations of about 20,000 probes with typical gains and losses.
#include "cghmatrixfile.h"
#include "synthetic_cgh.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.cgm\n", argv[0]);
        return 2;
    }
    constexpr float kGain = 0.58f, kLoss = -1.0f; // one copy more / less of two
    constexpr int64_t M = 1000000, kEnd = 300 * M;
    const std::vector<synthetic::Region> regions = {
        {1, 8, 45 * M, kEnd, kGain},
        {1, 17, 0, 24 * M, kLoss},
        {2, 1, 125 * M, kEnd, kGain},
        {2, 13, 30 * M, 80 * M, kLoss},
        {3, 8, 126 * M, 129 * M, 2.2f},
        {3, 9, 20 * M, 24 * M, -2.5f},
        {4, 7, 0, kEnd, kGain},
        {4, 10, 0, kEnd, kLoss},
        {5, 20, 28 * M, kEnd, 0.7f},
        {5, 18, 18 * M, kEnd, kLoss},
        {6, 3, 90 * M, kEnd, kGain},
        {6, 5, 0, 48 * M, kLoss},
        // Male samples against a female reference: one X instead of two.
        {2, 23, 0, kEnd, kLoss},
        {4, 23, 0, kEnd, kLoss},
        {6, 23, 0, kEnd, kLoss},
    };
    auto data = std::make_unique<tCGH_DataSet>();
    synthetic::Fill(*data, 20000, 6, regions, 0.18, "demo_tumour_");
    data->Annotation[0][2] = "Sample";
    data->Annotation[0][3] = "Sex";
    for (int h = 1; h <= 6; ++h) {
        data->Annotation[h][2] = "Tumour " + std::to_string(h);
        data->Annotation[h][3] = h % 2 ? "female" : "male";
    }
    std::string error;
    if (!WriteCGHMatrix(*data, argv[1], nullptr, nullptr, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
