#include "objects/Bunker.h"

#include "objects/BunkerBlock.h"
#include "objects/EntityChain.h"

namespace {

void appendBlock(EntityChain* chain, std::int32_t x, std::int32_t y) {
    BunkerBlock* block = new BunkerBlock;
    block->init(x, y, BunkerBlock::kHalfSize, BunkerBlock::kHalfSize, nullptr);
    chain->append(block);
}

}  // namespace

Bunker::Bunker(std::int32_t left, std::int32_t top) : chain(new EntityChain) {
    // Cells are 9 pixels square; a block sits 4 pixels in from its cell's
    // corner. The top corners and the middle three cells of the bottom row
    // stay open.
    for (std::int32_t column = 1; column <= 3; ++column) {
        appendBlock(chain, left + 4 + 9 * column, top + 4);
    }
    for (std::int32_t column = 0; column < 5; ++column) {
        for (std::int32_t row = 1; row <= 3; ++row) {
            appendBlock(chain, left + 4 + 9 * column, top + 4 + 9 * row);
        }
    }
    appendBlock(chain, left + 4, top + 40);
    appendBlock(chain, left + 40, top + 40);
}

Bunker::~Bunker() { delete chain; }
