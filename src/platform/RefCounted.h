#pragma once

#include <cstdint>

// COM's reference count for the objects a platform layer hands the program:
// an object is made holding one reference, AddRef takes another, and the
// Release that gives up the last one deletes it. The destructor is virtual so
// that each object keeps its own private, and its clean-up, where it is.
template <typename Interface>
class RefCounted : public Interface {
public:
    std::uint32_t Release() override {
        if (--references_ > 0) return references_;
        delete this;
        return 0;
    }
    void AddRef() { ++references_; }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    std::uint32_t references_ = 1;
};
