// libFuzzer entry: arbitrary bytes as the Linux game's settings file and as
// its best-score table (tests/fuzz/KeptFilePath.cpp). A crash, a sanitizer
// report or a lost or mangled file ends the run with the input saved.
#include <cstdio>
#include <cstdlib>

#include "fuzz/KeptFilePath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static KeptFilePath path;
    std::string fault;
    if (!path.ready()) {
        std::fprintf(stderr, "settings fuzzer: no scratch folder\n");
        std::abort();
    }
    if (!path.feed(data, size, &fault)) {
        std::fprintf(stderr, "settings fuzzer: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
