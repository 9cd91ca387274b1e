// Writes a synthetic expression matrix (see expression_matrix_writer.h).
// Usage: gen_expression_matrix FILE [GENES=55000] [SAMPLES=1000]
#include "expression_matrix_writer.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [GENES] [SAMPLES]\n", argv[0]);
        return 2;
    }
    const int genes = argc > 2 ? std::atoi(argv[2]) : 55000;
    const int samples = argc > 3 ? std::atoi(argv[3]) : 1000;
    if (!WriteExpressionMatrix(argv[1], genes, samples)) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
