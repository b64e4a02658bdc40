#pragma once

#include "display/Surface.h"

class PrimarySurface;

// The drawing target of every frame: the surface attached to the primary,
// and restored through it when lost.
class BackBuffer : public Surface {
public:
    bool AttachTo(PrimarySurface* primary);
    PrimarySurface* primary() const { return primary_; }

private:
    PrimarySurface* primary_ = nullptr;
};
