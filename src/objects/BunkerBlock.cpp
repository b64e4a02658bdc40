#include "objects/BunkerBlock.h"

#include "display/Surface.h"

int BunkerBlock::render(Surface* target) {
    if (target != nullptr) {
        target->FillRect(x - halfWidth, y - halfHeight, 2 * halfWidth + 1, 2 * halfHeight + 1,
                         kColour);
    }
    return 1;
}
