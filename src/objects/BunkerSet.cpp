#include "objects/BunkerSet.h"

#include "fleet/Fleet.h"
#include "objects/Bunker.h"
#include "objects/Entity.h"
#include "objects/EntityChain.h"
#include "objects/EntityList.h"

namespace {

constexpr std::int32_t kTop = 450;
constexpr std::int32_t kLefts[BunkerSet::kBunkerCount] = {117, 248, 379};

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
