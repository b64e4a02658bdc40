#include "platform/sdl/audio/QuietAlsa.h"

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <dlfcn.h>
#endif

namespace {

int held = 0;

#if defined(__linux__) && !defined(__EMSCRIPTEN__)

// ALSA's handler type and its setter, as its documentation gives them. The
// library is looked up at run time, so the program needs no ALSA of its own;
// where there is none, there is nothing to quieten.
extern "C" {
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err,
                                  const char* format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler handler);
}

extern "C" void holdAlsaMessage(const char*, int, const char*, int, const char*, ...) { ++held; }

// Held open while quiet, so that an SDL that loads ALSA itself, later,
// finds the same library with the handler in place.
void* library = nullptr;

SetAlsaErrorHandler alsaSetter() {
    if (!library) return nullptr;
    return reinterpret_cast<SetAlsaErrorHandler>(dlsym(library, "snd_lib_error_set_handler"));
}

#endif

}  // namespace

QuietAlsa::QuietAlsa() {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    if (library) return;  // an outer one is quietening already
    library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    SetAlsaErrorHandler set = alsaSetter();
    installed_ = set && set(holdAlsaMessage) == 0;
    if (!installed_ && library) {
        dlclose(library);
        library = nullptr;
    }
#endif
}

QuietAlsa::~QuietAlsa() {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    // A null handler puts ALSA's own printing back.
    if (installed_) {
        if (SetAlsaErrorHandler set = alsaSetter()) set(nullptr);
        dlclose(library);
        library = nullptr;
    }
#endif
}

int QuietAlsa::heldBack() { return held; }
