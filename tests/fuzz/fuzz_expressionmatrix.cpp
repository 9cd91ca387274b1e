// Feeds arbitrary bytes to the expression matrix reader: the first five bytes choose the header
// rows and columns and the chromosome, start and stop columns, the rest is the file.
#include "expressionmatrix.h"

#include "fuzz_input_file.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 5) return 0;
    const std::string& file = WriteFuzzInput(bytes + 5, size - 5);

    tHeatmap h;
    h.ChrColumn = bytes[2] % 8;
    h.StartColumn = bytes[3] % 8;
    h.StopColumn = bytes[4] % 8;
    std::string error;
    const int genes = LoadExpressionMatrix(h, file, bytes[0] % 6, bytes[1] % 8 - 1, error);
    if (genes >= 0) {
        // The counts must describe the arrays the transforms walk.
        if (h.Data.size() != static_cast<size_t>(h.SampleCount) + 2 ||
            h.GAnno.size() != static_cast<size_t>(genes) + 2 || h.SampleCount > kMaxSamples)
            __builtin_trap();
        HeatmapMeanNormalise(h);
        HeatmapLog10ToLog2(h);
        HeatmapLog2(h);
    }
    return 0;
}
