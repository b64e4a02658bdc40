#pragma once

#include "objects/Entity.h"

// One link of an EntityChain. The end node carries no item.
struct EntityNode {
    EntityNode* previous = nullptr;
    EntityNode* next = nullptr;
    Entity* item = nullptr;
};

// A doubly linked chain of entities of one class, closed by a permanent end
// node. Walk it from `first`, following `next` until the node is `end`. The
// chain owns its items: erasing a node deletes the item too.
class EntityChain {
public:
    EntityChain();
    // Deletes every node and item, then the end node.
    ~EntityChain();
    EntityChain(const EntityChain&) = delete;
    EntityChain& operator=(const EntityChain&) = delete;

    // Adds the item at the tail, before the end node; returns its node.
    EntityNode* append(Entity* item);
    // Unlinks a real node and deletes it with its item. A walker fetches the
    // node's `next` before erasing it.
    void erase(EntityNode* node);
    bool isEmpty() const { return first == end; }

    EntityNode* first;
    EntityNode* end;
    // Walk position of the bullet lists' speed change; nothing else uses it.
    EntityNode* cursor = nullptr;
};
