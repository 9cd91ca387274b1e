#include "columnwalks.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

bool useVectorUnits = true;

struct AddValue {
    void operator()(int, long double& chain, float v) const { chain += v; }
};

inline void AddSquaredDeviation(long double mean, long double& chain, float v) {
    const long double d = mean - v;
    chain += d * d;
}

struct AddSquaredDeviations {
    long double mean[2];
    void operator()(int k, long double& chain, float v) const {
        AddSquaredDeviation(mean[k], chain, v);
    }
};

// Adds the probes x[k][start..n[k]] (start odd) of K columns into their chains through
// add(k, chain, value): odd probes into odd[k], even ones into even[k]. The columns advance
// together while all have probes. (Local copies of the chains and of add keep them in the x87
// registers: through the references they would go to memory at every add.)
template <int K, typename Add>
void WalkChains(const float* const (&x)[K], const int (&n)[K], long double (&odd)[K],
                long double (&even)[K], const Add& add, int start = 1) {
    const Add local = add;
    long double o[K], e[K];
    for (int k = 0; k < K; ++k) o[k] = odd[k], e[k] = even[k];
    const int common = *std::min_element(n, n + K);
    int i = start;
    for (; i < common; i += 2)
        for (int k = 0; k < K; ++k) {
            local(k, o[k], x[k][i]);
            local(k, e[k], x[k][i + 1]);
        }
    for (int k = 0; k < K; ++k) {
        int j = i;
        for (; j < n[k]; j += 2) {
            local(k, o[k], x[k][j]);
            local(k, e[k], x[k][j + 1]);
        }
        if (j == n[k]) local(k, o[k], x[k][j]);
        odd[k] = o[k];
        even[k] = e[k];
    }
}

// Odd chain plus even chain of each of the two columns.
template <typename Add> void SumChains(const ZColumns& c, const Add& add, long double (&out)[2]) {
    long double odd[2] = {}, even[2] = {};
    WalkChains<2>(c.x, c.n, odd, even, add);
    for (int k = 0; k < 2; ++k) out[k] = odd[k] + even[k];
}

float Standardised(float v, double m, double d) {
    return static_cast<float>((v - m) / d);
}

#if defined(__x86_64__)
#define QB_WIDE __attribute__((target("avx512f,avx512dq,avx512vl")))

bool WideSteps() {
    static const bool have = __builtin_cpu_supports("avx512f") &&
                             __builtin_cpu_supports("avx512dq") &&
                             __builtin_cpu_supports("avx512vl");
    return have && useVectorUnits;
}

// x[0..7] replaced by their standardised values, as Standardised computes them. (The all-lanes
// masked conversions: GCC 12 warns about the plain ones' undefined fill.)
QB_WIDE inline void Standardise8(float* x, __m512d m, __m512d d) {
    const __m512d v = _mm512_maskz_cvtps_pd(0xFF, _mm256_loadu_ps(x));
    _mm256_storeu_ps(x, _mm512_maskz_cvtpd_ps(0xFF, _mm512_div_pd(_mm512_sub_pd(v, m), d)));
}

QB_WIDE void StandardiseWide(float* x, int from, int n, double m, double d) {
    const __m512d mean = _mm512_set1_pd(m), sd = _mm512_set1_pd(d);
    int i = from;
    for (; i + 7 <= n; i += 8) Standardise8(x + i, mean, sd);
    for (; i <= n; ++i) x[i] = Standardised(x[i], m, d);
}

// The exact sum of a column in whole units of 2^-exponent. When every probe is a whole number of
// units and count x max |x| stays within 2^62 units, every partial sum of either chain, and their
// total, is a whole number of units within 2^62: it fits the 64-bit x87 significand, so the x87
// walk never rounds and ends at this sum.
struct UnitSums {
    __m512i units;
    __m256 largest;    // max |x| per lane (a NaN is caught as a fraction)
    __mmask8 fraction; // lanes that met a probe that is no whole number of units
    __m256 unit;       // 2^exponent: multiplies a value into units
    int exponent;
};

// Units fine enough for the values and coarse enough to keep count x max |x| within 2^62 units,
// guessed from the first probes with room for four times their largest.
int UnitExponent(const float* x, int n) {
    float largest = 0.0f;
    for (int i = 1; i <= std::min(n, 64); ++i) largest = std::max(largest, std::fabs(x[i]));
    const double bound = 4.0 * n * largest;
    if (!(bound > 0.0) || !std::isfinite(bound)) return 40; // checked at the end all the same
    return std::clamp(61 - std::ilogb(bound), 0, 100);
}

QB_WIDE inline void StartUnits(UnitSums& s, const float* x, int n) {
    s.exponent = UnitExponent(x, n);
    s.unit = _mm256_set1_ps(std::ldexp(1.0f, s.exponent));
    s.units = _mm512_setzero_si512();
    s.largest = _mm256_setzero_ps();
    s.fraction = 0;
}

QB_WIDE inline void AddUnits8(UnitSums& s, const float* x) {
    const __m256 v = _mm256_loadu_ps(x);
    const __m256 scaled = _mm256_mul_ps(v, s.unit); // exact: a power of two
    s.largest = _mm256_max_ps(s.largest, _mm256_andnot_ps(_mm256_set1_ps(-0.0f), v));
    const __m256 whole = _mm256_round_ps(scaled, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    s.fraction |= _mm256_cmp_ps_mask(scaled, whole, _CMP_NEQ_UQ);
    s.units = _mm512_add_epi64(s.units, _mm512_cvttps_epi64(scaled));
}

// Adds x[from..n] and returns the column's sum: from the units when they are exact, else from an
// x87 walk.
QB_WIDE long double FinishUnits(UnitSums& s, const float* x, int from, int n) {
    const float unit = std::ldexp(1.0f, s.exponent);
    alignas(32) float largest[8];
    _mm256_store_ps(largest, s.largest);
    alignas(64) int64_t units[8];
    _mm512_store_si512(units, s.units);
    float most = *std::max_element(largest, largest + 8);
    // Unsigned: the lanes of a column that fails the checks may have wrapped.
    uint64_t total = 0;
    for (int64_t lane : units) total += static_cast<uint64_t>(lane);
    bool whole = s.fraction == 0;
    for (int i = from; i <= n; ++i) {
        const float scaled = x[i] * unit;
        most = std::max(most, std::fabs(x[i]));
        whole = whole && scaled == std::trunc(scaled) && std::fabs(scaled) < 0x1p62f;
        if (whole) total += static_cast<uint64_t>(static_cast<int64_t>(scaled));
    }
    if (whole && static_cast<double>(n) * most <= std::ldexp(1.0, 62 - s.exponent))
        return std::ldexp(static_cast<long double>(static_cast<int64_t>(total)), -s.exponent);
    const float* column[1] = {x};
    const int count[1] = {n};
    long double odd[1] = {}, even[1] = {};
    WalkChains<1>(column, count, odd, even, AddValue{});
    return odd[0] + even[0];
}

// The vector work of a step beside its x87 walk: sums of one pair of columns, standardising of
// another.
struct VectorWork {
    const ZColumns* sum;
    UnitSums units[2];
    float* standardise[2];
    __m512d m[2], d[2];
};

// Probes i..i + 7 of the vector work.
QB_WIDE __attribute__((always_inline)) inline void VectorBlock(VectorWork& w, int i) {
    if (w.sum)
        for (int k = 0; k < 2; ++k) {
            // Two kilobytes ahead: these columns come from memory, the others from the cache.
            const float* ahead = w.sum->x[k] + std::min(i + 512, w.sum->n[k]);
            _mm_prefetch(reinterpret_cast<const char*>(ahead), _MM_HINT_T0);
            AddUnits8(w.units[k], w.sum->x[k] + i);
        }
    for (int k = 0; k < 2; ++k)
        if (w.standardise[k]) Standardise8(w.standardise[k] + i, w.m[k], w.d[k]);
}

// The step in one walk over the probes all its columns hold, the rest of each column after.
QB_WIDE void WideStep(ZChromosomeStep& step) {
    const ZColumns* v = step.deviate;
    VectorWork w;
    w.sum = step.sum;
    int common = v ? std::min(v->n[0], v->n[1]) : INT_MAX;
    for (int k = 0; k < 2; ++k) {
        if (w.sum) {
            common = std::min(common, w.sum->n[k]);
            StartUnits(w.units[k], w.sum->x[k], w.sum->n[k]);
        }
        w.standardise[k] = step.standardise[k];
        if (w.standardise[k]) common = std::min(common, step.standardiseCount[k]);
        w.m[k] = _mm512_set1_pd(step.m[k]);
        w.d[k] = _mm512_set1_pd(step.d[k]);
    }
    if (common == INT_MAX) return;
    int i = 1;
    if (v) {
        // Plain variables: the x87 register stack holds them through the loop.
        const long double m0 = step.mean[0], m1 = step.mean[1];
        const float *x0 = v->x[0], *x1 = v->x[1];
        long double odd0 = 0.0L, even0 = 0.0L, odd1 = 0.0L, even1 = 0.0L;
        for (; i + 7 <= common; i += 8) {
            // Unrolled, the compiler hoists the subtractions and spills the x87 stack.
#pragma GCC unroll 1
            for (int j = i; j < i + 8; j += 2) {
                AddSquaredDeviation(m0, odd0, x0[j]);
                AddSquaredDeviation(m0, even0, x0[j + 1]);
                AddSquaredDeviation(m1, odd1, x1[j]);
                AddSquaredDeviation(m1, even1, x1[j + 1]);
            }
            VectorBlock(w, i);
        }
        long double odd[2] = {odd0, odd1}, even[2] = {even0, even1};
        WalkChains<2>(v->x, v->n, odd, even, AddSquaredDeviations{{m0, m1}}, i);
        for (int k = 0; k < 2; ++k) step.deviations[k] = odd[k] + even[k];
    } else {
        for (; i + 7 <= common; i += 8) VectorBlock(w, i);
    }
    for (int k = 0; k < 2; ++k) {
        if (w.sum) step.sums[k] = FinishUnits(w.units[k], w.sum->x[k], i, w.sum->n[k]);
        if (w.standardise[k])
            StandardiseWide(w.standardise[k], i, step.standardiseCount[k], step.m[k], step.d[k]);
    }
}
#endif

} // namespace

void UseVectorUnits(bool use) {
    useVectorUnits = use;
}

void RunChromosomeStep(ZChromosomeStep& step) {
#if defined(__x86_64__)
    if (WideSteps()) return WideStep(step);
#endif
    if (step.sum) SumChains(*step.sum, AddValue{}, step.sums);
    if (step.deviate)
        SumChains(*step.deviate, AddSquaredDeviations{{step.mean[0], step.mean[1]}},
                  step.deviations);
    for (int k = 0; k < 2; ++k) {
        const double m = step.m[k], d = step.d[k];
        if (step.standardise[k])
            TransformProbes(step.standardise[k], step.standardiseCount[k],
                            [m, d](float v) { return Standardised(v, m, d); });
    }
}
