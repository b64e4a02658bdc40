#include "display/Sprite.h"

#include <new>

#include "display/SpriteFrame.h"

Sprite::Sprite(VideoDriver* driver, int frameCount, int frameWidth, int frameHeight) {
    Create(driver, frameCount, frameWidth, frameHeight);
}

bool Sprite::Create(VideoDriver* driver, int frameCount, int frameWidth, int frameHeight) {
    if (frameCount <= 0) return false;
    // Creating over an existing sprite would strand its frames.
    if (frames_) Destroy();

    frames_ = new (std::nothrow) SpriteFrame*[frameCount]();
    if (!frames_) return false;
    frameCount_ = frameCount;
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;

    for (int index = 0; index < frameCount; ++index) {
        frames_[index] = new SpriteFrame;
        // The frame stays in its entry even without a surface, so that
        // Destroy frees it; the entries after it stay empty.
        if (!frames_[index]->Create(driver, frameWidth, frameHeight)) return false;
    }
    return true;
}

SpriteFrame* Sprite::frame(int index) const {
    if (!frames_ || index < 0 || index >= frameCount_) return nullptr;
    return frames_[index];
}

bool Sprite::LoadFrame(Bitmap* bitmap, int frameIndex, int sourceX, int sourceY) {
    SpriteFrame* target = frame(frameIndex);
    if (!target) return false;
    return target->LoadFrom(bitmap, sourceX, sourceY);
}

bool Sprite::SetColourKey(std::uint32_t rgb) {
    for (int index = 0; index < frameCount_; ++index) {
        SpriteFrame* target = frame(index);
        if (!target || !target->SetColourKey(rgb)) return false;
    }
    return true;
}

bool Sprite::Draw(int frameIndex, int x, int y, Surface* destination) {
    SpriteFrame* target = frame(frameIndex);
    if (!target) return false;
    return target->DrawAt(destination, x, y);
}

bool Sprite::Destroy() {
    if (frames_) {
        for (int index = 0; index < frameCount_; ++index) {
            if (!frames_[index]) continue;
            frames_[index]->ReleaseSurface();
            delete frames_[index];
        }
        delete[] frames_;
    }
    frames_ = nullptr;
    frameCount_ = 0;
    frameWidth_ = 0;
    frameHeight_ = 0;
    return true;
}
