#include "soak/HeapUsage.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORBANIX_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZORBANIX_ASAN 1
#endif

#ifdef ZORBANIX_ASAN
#include <sanitizer/allocator_interface.h>
#endif

std::size_t heapBytesInUse() {
#ifdef ZORBANIX_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

const char* heapMeasure() {
#ifdef ZORBANIX_ASAN
    return "AddressSanitizer allocator: current allocated bytes";
#else
    return "glibc mallinfo2: uordblks";
#endif
}

bool heapMeasureIsExact() {
#ifdef ZORBANIX_ASAN
    return true;
#else
    return false;
#endif
}

std::size_t residentBytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    unsigned long size = 0;
    unsigned long resident = 0;
    const int read = std::fscanf(statm, "%lu %lu", &size, &resident);
    std::fclose(statm);
    if (read != 2) return 0;
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}
