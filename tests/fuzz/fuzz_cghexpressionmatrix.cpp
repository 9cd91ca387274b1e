// Feeds arbitrary bytes to the CGH-expression matrix reader: the first six bytes choose the
// position, name, gene, first and last data columns and the active slot, the rest is the file.
#include "cghexpressionmatrix.h"

#include "fuzz_input_file.h"

#include <cstdint>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 6) return 0;
    const std::string& file = WriteFuzzInput(bytes + 6, size - 6);

    const int first = bytes[3] % 8;
    auto data = std::make_unique<tCGH_DataSet>();
    std::string error;
    if (LoadMatrixColumns(bytes[0] % 6, bytes[1] % 6, bytes[2] % 6, first, first + bytes[4] % 8 - 1,
                          file, *data, bytes[5] % 3, error)) {
        // Every filled slot holds the same probe positions and a name.
        for (int h = 1; h <= data->HNum; ++h) {
            if (data->Hyb[h].FileName.empty()) __builtin_trap();
            for (int c = 1; c <= kChromosomes; ++c)
                if (!SamePositions(data->Hyb[h].Chr[c], data->Hyb[1].Chr[c])) __builtin_trap();
        }
    }
    return 0;
}
