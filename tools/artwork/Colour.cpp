#include "Colour.h"

namespace {

int blend(int a, int b, int num, int den) { return a + (b - a) * num / den; }

}  // namespace

Rgb mix(Rgb a, Rgb b, int num, int den) {
    if (den <= 0) return a;
    return rgb(blend(redOf(a), redOf(b), num, den), blend(greenOf(a), greenOf(b), num, den),
               blend(blueOf(a), blueOf(b), num, den));
}
