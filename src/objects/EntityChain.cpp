#include "objects/EntityChain.h"

#include "objects/Entity.h"

EntityChain::EntityChain() : first(new EntityNode), end(first) {}

EntityChain::~EntityChain() {
    while (first != end) {
        erase(first);
    }
    delete end;
}

EntityNode* EntityChain::append(Entity* item) {
    EntityNode* node = new EntityNode;
    node->item = item;
    node->next = end;
    if (first == end) {
        first = node;
    } else {
        node->previous = end->previous;
        end->previous->next = node;
    }
    end->previous = node;
    return node;
}

void EntityChain::erase(EntityNode* node) {
    // The end node is part of the chain for good; erasing it (or nothing)
    // would cut the chain loose.
    if (node == nullptr || node == end) {
        return;
    }
    node->next->previous = node->previous;
    if (node == first) {
        first = node->next;
    } else {
        node->previous->next = node->next;
    }
    if (cursor == node) {
        cursor = nullptr;
    }
    node->previous = nullptr;
    node->next = nullptr;
    delete node->item;
    node->item = nullptr;
    delete node;
}
