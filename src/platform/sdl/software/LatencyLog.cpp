#include "platform/sdl/software/LatencyLog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace latency_log {

namespace {

bool readSwitch() {
#ifdef __EMSCRIPTEN__
    return EM_ASM_INT({ return globalThis.zorbanixLatencyLog ? 1 : 0; }) != 0;
#else
    const char* value = std::getenv("ZORBANIX_LATENCY_LOG");
    return value && std::strcmp(value, "1") == 0;
#endif
}

}  // namespace

bool enabled() {
    static const bool on = readSwitch();
    return on;
}

double now() {
#ifdef __EMSCRIPTEN__
    return emscripten_get_now();
#else
    using Milliseconds = std::chrono::duration<double, std::milli>;
    return Milliseconds(std::chrono::steady_clock::now().time_since_epoch()).count();
#endif
}

void keysRead(const std::uint8_t* keys, std::uint8_t* last) {
    if (!enabled()) return;
    const double at = now();
    for (int code = 0; code < 256; ++code) {
        if ((keys[code] & 0x80) != 0 && (last[code] & 0x80) == 0) {
            std::fprintf(stderr, "latency key %d %.3f\n", code, at);
        }
    }
    std::memcpy(last, keys, 256);
    std::fflush(stderr);
}

void presented(double began) {
    if (!enabled()) return;
    std::fprintf(stderr, "latency present %.3f %.3f\n", began, now());
    std::fflush(stderr);
}

}  // namespace latency_log
