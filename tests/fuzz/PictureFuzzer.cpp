// libFuzzer entry: arbitrary bytes as a picture file of the game, on both
// 16-bit layouts of the software display. A crash, a sanitizer report or a
// display object left behind ends the run with the input saved.
#include <cstdio>
#include <cstdlib>

#include "fuzz/PicturePath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PicturePath rgb565(PixelLayout::Rgb565);
    static PicturePath rgb555(PixelLayout::Rgb555);
    if (!rgb565.ready() || !rgb555.ready()) {
        std::fprintf(stderr, "picture fuzzer: the software display could not be set up\n");
        std::abort();
    }
    if (!rgb565.feed(data, size) || !rgb555.feed(data, size)) {
        std::fprintf(stderr, "picture fuzzer: display objects left behind by this input\n");
        std::abort();
    }
    return 0;
}
