#include "game/Pictures.h"

#include "display/Bitmap.h"
#include "display/Sprite.h"

Bitmap* loadBitmap(const char* fileName) {
    Bitmap* bitmap = new Bitmap();
    bitmap->Load(fileName);
    return bitmap;
}

Sprite* cutSprite(VideoDriver* driver, Bitmap* bitmap, int width, int height, int sourceX,
                  int sourceY, bool keyed) {
    Sprite* sprite = new Sprite();
    sprite->Create(driver, 1, width, height);
    sprite->LoadFrame(bitmap, 0, sourceX, sourceY);
    if (keyed) {
        sprite->SetColourKey(kTransparentColour);
    }
    return sprite;
}

void destroyBitmap(Bitmap*& bitmap) {
    if (bitmap == nullptr) {
        return;
    }
    bitmap->Unload();
    delete bitmap;
    bitmap = nullptr;
}

void destroySprite(Sprite*& sprite) {
    if (sprite == nullptr) {
        return;
    }
    sprite->Destroy();
    delete sprite;
    sprite = nullptr;
}
