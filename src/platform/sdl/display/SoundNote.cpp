#include "platform/sdl/display/SoundNote.h"

#include <cstdio>
#include <cstring>

#include "platform/sdl/audio/OutputVolume.h"
#include "platform/sdl/results/LetterSheet.h"
#include "platform/sdl/software/PictureFolders.h"

namespace {

// The top left of the play field, clear of the panel and of the score.
constexpr int kLeft = 24;
constexpr int kTop = 16;
constexpr int kBarTop = kTop + 24;
constexpr int kStepWidth = 12;
constexpr int kStepHeight = 14;
constexpr int kPadding = 8;
constexpr letterSheet::Ink kInk = letterSheet::Plain;

void box(SDL_Surface* target, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Rect rect = {x, y, w, h};
    SDL_FillRect(target, &rect, SDL_MapRGB(target->format, r, g, b));
}

}  // namespace

SoundNote::~SoundNote() {
    SDL_FreeSurface(copy_);
    SDL_FreeSurface(letters_);
}

SDL_Surface* SoundNote::over(SDL_Surface* frame, bool muted, int volume, std::uint32_t nowMs) {
    if (known_ && (muted != muted_ || volume != volume_)) {
        aboutVolume_ = volume != volume_;
        shownFrom_ = nowMs;
        showing_ = true;
    }
    known_ = true;
    muted_ = muted;
    volume_ = volume;
    if (showing_ && nowMs - shownFrom_ >= kShownMs) showing_ = false;
    if (!showing_ || frame == nullptr) return frame;

    if (copy_ == nullptr || copy_->w != frame->w || copy_->h != frame->h ||
        copy_->format->format != frame->format->format) {
        SDL_FreeSurface(copy_);
        copy_ = SDL_CreateRGBSurfaceWithFormat(0, frame->w, frame->h, frame->format->BitsPerPixel,
                                               frame->format->format);
        if (copy_ == nullptr) return frame;
    }
    SDL_BlitSurface(frame, nullptr, copy_, nullptr);
    draw(copy_);
    return copy_;
}

void SoundNote::draw(SDL_Surface* target) {
    const letterSheet::InkShape& shape = letterSheet::kShapes[kInk];
    char line[32];
    if (aboutVolume_) {
        std::snprintf(line, sizeof line, muted_ ? "VOLUME %d - SOUND OFF" : "VOLUME %d", volume_);
    } else {
        std::snprintf(line, sizeof line, "SOUND %s", muted_ ? "OFF" : "ON");
    }
    const int textWidth = static_cast<int>(std::strlen(line)) * shape.advance();
    const int barWidth = OutputVolume::kMaxLevel * kStepWidth;
    const int width = (aboutVolume_ && barWidth > textWidth ? barWidth : textWidth) + 2 * kPadding;
    const int height =
        (aboutVolume_ ? kBarTop + kStepHeight - kTop : shape.cellHeight()) + 2 * kPadding;
    // A dark plate with a thin rim, so the note reads over any part of play.
    box(target, kLeft - kPadding - 1, kTop - kPadding - 1, width + 2, height + 2, 90, 100, 160);
    box(target, kLeft - kPadding, kTop - kPadding, width, height, 8, 8, 24);
    text(target, line, kLeft, kTop);
    if (!aboutVolume_) return;
    for (int level = 1; level <= OutputVolume::kMaxLevel; ++level) {
        const int x = kLeft + (level - 1) * kStepWidth;
        if (level <= volume_) {
            box(target, x, kBarTop, kStepWidth - 2, kStepHeight, 255, 227, 74);
        } else {
            box(target, x, kBarTop + kStepHeight - 3, kStepWidth - 2, 3, 90, 100, 160);
        }
    }
}

void SoundNote::text(SDL_Surface* target, const char* text, int x, int y) {
    if (!lettersLoaded(target->format)) return;
    const letterSheet::InkShape& shape = letterSheet::kShapes[kInk];
    for (const char* c = text; *c != '\0'; ++c, x += shape.advance()) {
        const char* at = *c == ' ' ? nullptr : std::strchr(letterSheet::kCharacters, *c);
        if (at == nullptr) continue;
        SDL_Rect cell = {
            letterSheet::cellLeft(kInk, static_cast<int>(at - letterSheet::kCharacters)),
            letterSheet::rowTop(kInk), shape.cellWidth(), shape.cellHeight()};
        SDL_Rect place = {x, y, cell.w, cell.h};
        SDL_BlitSurface(letters_, &cell, target, &place);
    }
}

// The sheet, read once, the first time a note is drawn, in the frame's own
// pixels with its magenta transparent.
bool SoundNote::lettersLoaded(const SDL_PixelFormat* format) {
    if (!lettersTried_) {
        lettersTried_ = true;
        int bits = 0;
        if (SDL_Surface* sheet = loadPicture(folders_ ? *folders_ : std::vector<std::string>{},
                                             letterSheet::kFileName, &bits)) {
            letters_ = SDL_ConvertSurfaceFormat(sheet, format->format, 0);
            SDL_FreeSurface(sheet);
        }
        if (letters_ != nullptr) {
            SDL_SetColorKey(letters_, SDL_TRUE, SDL_MapRGB(letters_->format, 255, 0, 255));
        }
    }
    return letters_ != nullptr;
}
