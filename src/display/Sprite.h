#pragma once

#include <cstdint>

class Bitmap;
class Surface;
class SpriteFrame;
class VideoDriver;

// A fixed number of equal frames, each cut from a bitmap block and drawn
// colour-keyed at any position.
class Sprite {
public:
    Sprite() = default;
    Sprite(VideoDriver* driver, int frameCount, int frameWidth, int frameHeight);
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;
    ~Sprite() { Destroy(); }

    bool Create(VideoDriver* driver, int frameCount, int frameWidth, int frameHeight);
    bool LoadFrame(Bitmap* bitmap, int frameIndex, int sourceX, int sourceY);
    bool SetColourKey(std::uint32_t rgb);
    bool Draw(int frameIndex, int x, int y, Surface* destination);
    bool Destroy();

    int frameCount() const { return frameCount_; }
    int frameWidth() const { return frameWidth_; }
    int frameHeight() const { return frameHeight_; }
    SpriteFrame* frame(int index) const;

private:
    SpriteFrame** frames_ = nullptr;
    int frameCount_ = 0;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
};
