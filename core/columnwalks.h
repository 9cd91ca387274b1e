// Walks over the probe columns of a chromosome for the transforms (cghtransforms.cpp).
#pragma once

// Replaces x[1..n] by op(x). The fixed blocks of 8 let the compiler vectorise the loop.
template <typename Op> void TransformProbes(float* x, int n, Op op) {
    int i = 1;
    for (; i + 7 <= n; i += 8)
        for (int k = 0; k < 8; ++k) x[i + k] = op(x[i + k]);
    for (; i <= n; ++i) x[i] = op(x[i]);
}

// One chromosome's share of a step of the z-transform of hybridisations, which goes through the
// hybridisations two at a time: a step sums one pair's values, the squared deviations of the pair
// summed the step before and standardises the pair whose deviations were summed before that.
//
// Every sum is the one of a walk over each column alone in x87 extended precision: two chains per
// column, odd probes into one and even probes into the other, the two added at the end. Such adds
// wait on each other, so a step walks its two columns together and, where the processor has
// AVX-512, sums the next pair in integers and standardises the other pair in the gaps of that
// walk. The results are the same to the bit.
struct ZColumns {
    const float* x[2] = {nullptr, nullptr}; // probes x[k][1..n[k]]; a lane may repeat the other
    int n[2] = {0, 0};
};

struct ZChromosomeStep {
    const ZColumns* sum = nullptr;     // columns to sum, or none
    const ZColumns* deviate = nullptr; // columns whose squared deviations from mean[] to sum
    long double mean[2] = {0.0L, 0.0L};
    float* standardise[2] = {nullptr, nullptr}; // columns to replace by (x - m) / d, or none
    int standardiseCount[2] = {0, 0};
    double m[2] = {0.0, 0.0}, d[2] = {1.0, 1.0};
    long double sums[2] = {0.0L, 0.0L}, deviations[2] = {0.0L, 0.0L}; // results per lane
};

void RunChromosomeStep(ZChromosomeStep& step);

// Whether the steps use the vector units where the processor has them (the default) or not:
// tests check both ways.
void UseVectorUnits(bool use);
