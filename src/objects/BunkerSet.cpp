#include "objects/BunkerSet.h"

#include <algorithm>
#include <cstdint>

#include "fleet/Fleet.h"
#include "fleet/FleetGrid.h"
#include "fleet/Invader.h"
#include "objects/Bunker.h"
#include "objects/Entity.h"
#include "objects/EntityChain.h"
#include "objects/EntityList.h"

namespace {

constexpr std::int32_t kTop = 450;
constexpr std::int32_t kLefts[BunkerSet::kBunkerCount] = {117, 248, 379};

// The bottom row of the lowest invader box; the lowest value there is when
// the fleet is empty, as an empty fleet touches nothing.
std::int64_t lowestInvaderBottom(const Fleet* fleet) {
    std::int64_t lowest = INT64_MIN;
    const FleetGrid* grid = fleet->grid;
    for (std::int32_t row = 0; grid != nullptr && row < grid->rows; ++row) {
        for (std::int32_t column = 0; column < grid->columns; ++column) {
            const Invader* invader = grid->at(row, column);
            if (invader != nullptr) {
                lowest = std::max(lowest, std::int64_t{invader->y} + invader->halfHeight);
            }
        }
    }
    return lowest;
}

// The top row of the highest block box of the set; the highest value there
// is when no block is left.
std::int64_t highestBlockTop(Bunker* const* bunkers) {
    std::int64_t highest = INT64_MAX;
    for (int i = 0; i < BunkerSet::kBunkerCount; ++i) {
        EntityChain* chain = bunkers[i]->chain;
        for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
            if (node->item != nullptr) {
                highest = std::min(highest, std::int64_t{node->item->y} - node->item->halfHeight);
            }
        }
    }
    return highest;
}

}  // namespace

int BunkerSet::build() {
    // A second build without a destroy between would lose the first set.
    destroy();
    bunkers = new Bunker*[kBunkerCount];
    for (int i = 0; i < kBunkerCount; ++i) {
        bunkers[i] = new Bunker(kLefts[i], kTop);
    }
    return 1;
}

void BunkerSet::destroy() {
    if (bunkers == nullptr) {
        return;
    }
    for (int i = 0; i < kBunkerCount; ++i) {
        delete bunkers[i];
    }
    delete[] bunkers;
    bunkers = nullptr;
}

void BunkerSet::drawAll(Surface* target) {
    if (bunkers == nullptr) {
        return;
    }
    for (int i = 0; i < kBunkerCount; ++i) {
        EntityChain* chain = bunkers[i]->chain;
        for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
            if (node->item != nullptr) {
                node->item->render(target);
            }
        }
    }
}

void BunkerSet::shieldAgainst(EntityList* bullets) {
    if (bunkers == nullptr || bullets == nullptr) {
        return;
    }
    for (int i = 0; i < kBunkerCount; ++i) {
        EntityChain* chain = bunkers[i]->chain;
        for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
            bullets->collideWith(node->item);
        }
    }
}

void BunkerSet::erodeByFleet(Fleet* fleet) {
    if (bunkers == nullptr || fleet == nullptr) {
        return;
    }
    // For most of a wave the whole fleet marches above the bunkers, and no
    // block can touch an invader: then the walk of every invader for every
    // block is spared. Boxes whose bottom lies above the other's top do not
    // overlap, which is the same test the walk would make.
    if (lowestInvaderBottom(fleet) < highestBlockTop(bunkers)) {
        return;
    }
    for (int i = 0; i < kBunkerCount; ++i) {
        EntityChain* chain = bunkers[i]->chain;
        for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
            if (fleet->overlapsAny(node->item)) {
                node->item->alive = 0;
            }
        }
    }
}

void BunkerSet::removeDeadBlocks() {
    if (bunkers == nullptr) {
        return;
    }
    for (int i = 0; i < kBunkerCount; ++i) {
        EntityChain* chain = bunkers[i]->chain;
        EntityNode* node = chain->first;
        while (node != chain->end) {
            EntityNode* next = node->next;
            if (node->item != nullptr && node->item->alive == 0) {
                chain->erase(node);
            }
            node = next;
        }
    }
}
