// A lowered address-space limit, under which a large allocation fails as it does on a machine
// short of memory.
#pragma once

#include <cstddef>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define QB_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QB_ASAN 1
#endif
#endif

// The address sanitizer reserves more address space than any limit allows.
#ifdef QB_ASAN
inline constexpr bool kAddressLimitWorks = false;
#else
inline constexpr bool kAddressLimitWorks = true;
#endif

// The address space mapped now, plus `headroom`, becomes the (soft) limit of this process; false
// when it could not be set.
inline bool LimitAddressSpace(size_t headroom) {
    size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit r{};
    if (pages == 0 || ::getrlimit(RLIMIT_AS, &r) != 0) return false;
    r.rlim_cur = pages * size_t(::sysconf(_SC_PAGESIZE)) + headroom;
    if (r.rlim_max != RLIM_INFINITY && r.rlim_cur > r.rlim_max) r.rlim_cur = r.rlim_max;
    return ::setrlimit(RLIMIT_AS, &r) == 0;
}

// Lowers the limit while it lives and lifts it again.
class AddressSpaceLimit {
  public:
    explicit AddressSpaceLimit(size_t headroom) {
        ::getrlimit(RLIMIT_AS, &previous_);
        set = LimitAddressSpace(headroom);
    }
    ~AddressSpaceLimit() { ::setrlimit(RLIMIT_AS, &previous_); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;
    bool set = false;

  private:
    rlimit previous_{};
};
