#include "vectorstate.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {
__attribute__((target("avx"))) void ZeroUpper() {
    _mm256_zeroupper();
}

bool HasAvx() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}
} // namespace

void ClearUpperVectorState() {
    static const bool avx = HasAvx();
    if (avx) ZeroUpper();
}
#else
void ClearUpperVectorState() {}
#endif
