#include "soak/ScreenReader.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

enum Source : std::uint8_t {
    kInvader = 1,
    kShip = 2,
    kBackground = 4,
    kInvaderShot = 8,
    kOther = 16,  // the ship's shot and the bunkers
};

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kBunkerGreen = 0x00FF00;

// The play field, the rows the fleet can be in above the bunkers, and the
// ship's row.
constexpr int kFieldLeft = 28;
constexpr int kFieldRight = 512;
constexpr int kFleetTop = 100;
constexpr int kFleetBottom = 446;
constexpr int kShipTop = 549;
constexpr int kShipBottom = 568;

// The opening formation: column x and row y of each invader's centre.
constexpr int kFirstColumnX = 128;
constexpr int kFirstRowY = 151;
constexpr int kCellSpacing = 32;
constexpr int kColumns = 11;
constexpr int kRows = 5;
constexpr int kInvaderWidth = 25;
constexpr int kInvaderHeight = 17;
// The kind of invader of each row, as an index into the invader pictures.
constexpr int kRowKinds[kRows] = {2, 1, 1, 0, 0};
constexpr const char* kInvaderFiles[3] = {"poopy.bmp", "pukey.bmp", "drippy.bmp"};

constexpr int kGetReadyLeft = 141;
constexpr int kGetReadyTop = 300;
constexpr int kPausedLeft = 192;
constexpr int kPausedTop = 290;

// An invader is 25 pixels wide and a bullet 3: a run of invader colour at
// least this wide is an invader.
constexpr int kNarrowestInvader = 6;
// Columns whose lowest invaders lie this close count as equally low.
constexpr int kSameRow = 6;
// The stretch above the ship where an invader's shot is worth moving away
// from: a shot falls 400 pixels a second, the ship moves 250.
constexpr int kShotWatchTop = 380;
constexpr int kShotWatchWidth = 40;
// The centres of the invaders the ship can hit: its own reach, 75 to 467,
// widened by half an invader.
constexpr int kReachLeft = 64;
constexpr int kReachRight = 478;

// A picture cut from a file as the game cuts it: each pixel as an RGB value
// (red in the low byte), or nothing when the file cannot be read.
struct Cut {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
};

Cut cutFrom(const char* file, int sourceX, int sourceY, int width, int height) {
    Cut cut;
    SDL_Surface* loaded = SDL_LoadBMP(file);
    if (!loaded) return cut;
    SDL_Surface* picture = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (!picture) return cut;
    cut.width = width;
    cut.height = height;
    cut.rgb.assign(static_cast<std::size_t>(width) * height, kMagenta);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int px = sourceX + x;
            const int py = sourceY + y;
            if (px >= picture->w || py >= picture->h) continue;
            const auto* row =
                static_cast<const std::uint8_t*>(picture->pixels) + py * picture->pitch;
            std::uint32_t value = 0;
            std::memcpy(&value, row + px * 4, 4);
            Uint8 r, g, b;
            SDL_GetRGB(value, picture->format, &r, &g, &b);
            cut.rgb[static_cast<std::size_t>(y) * width + x] =
                r | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
        }
    }
    SDL_FreeSurface(picture);
    return cut;
}

// The frame's pixels, read directly: the reader looks at some hundred
// thousand of them in every frame, all inside the frame.
std::uint16_t pixelAt(const CapturedFrame& frame, int x, int y) {
    return (*frame.pixels)[static_cast<std::size_t>(y) * CapturedFrame::kWidth +
                           static_cast<std::size_t>(x)];
}

}  // namespace

ScreenReader::ScreenReader(PixelLayout layout) : sources_(65536, 0) {
    CapturedFrame converter;
    converter.layout = layout;
    const std::uint16_t magenta = converter.rawOf(kMagenta);
    bool complete = true;
    auto mark = [&](const Cut& cut, std::uint8_t source) {
        if (cut.rgb.empty()) complete = false;
        for (std::uint32_t rgb : cut.rgb) {
            const std::uint16_t raw = converter.rawOf(rgb);
            if (raw != magenta) sources_[raw] |= source;
        }
    };
    for (const char* file : kInvaderFiles) mark(cutFrom(file, 2, 2, 25, 17), kInvader);
    mark(cutFrom("nanite.bmp", 2, 2, 23, 17), kShip);
    // Only the part behind the play field: the panel beside it shows the
    // invaders themselves.
    mark(cutFrom("background.bmp", kFieldLeft, 0, kFieldRight - kFieldLeft, 600), kBackground);
    for (const char* shot : {"poopbullet.bmp", "pukebullet.bmp", "dripbullet.bmp"}) {
        mark(cutFrom(shot, 0, 0, 3, 11), kInvaderShot);
    }
    mark(cutFrom("pbullet.bmp", 0, 0, 3, 11), kOther);
    sources_[converter.rawOf(kBunkerGreen)] |= kOther;

    auto makeTemplate = [&](const Cut& cut) {
        Template t;
        if (cut.rgb.empty()) complete = false;
        for (int y = 0; y < cut.height; ++y) {
            for (int x = 0; x < cut.width; ++x) {
                const std::uint16_t raw =
                    converter.rawOf(cut.rgb[static_cast<std::size_t>(y) * cut.width + x]);
                if (raw != magenta) t.points.push_back({x, y, raw});
            }
        }
        if (t.points.empty()) complete = false;
        return t;
    };
    getReady_ = makeTemplate(cutFrom("getready.bmp", 0, 0, 266, 32));
    paused_ = makeTemplate(cutFrom("paused.bmp", 0, 0, 142, 21));
    for (int kind = 0; kind < 3; ++kind) {
        invaders_[kind] =
            makeTemplate(cutFrom(kInvaderFiles[kind], 2, 2, kInvaderWidth, kInvaderHeight));
    }
    ok_ = complete;
}

bool ScreenReader::isInvader(std::uint16_t raw) const { return sources_[raw] == kInvader; }

bool ScreenReader::isShip(std::uint16_t raw) const { return sources_[raw] == kShip; }

bool ScreenReader::isInvaderShot(std::uint16_t raw) const {
    return (sources_[raw] & kInvaderShot) != 0 && (sources_[raw] & kBackground) == 0;
}

void ScreenReader::findShots(const CapturedFrame& frame, Sight* sight) const {
    // Of the shots falling towards the ship's row, the one nearest across.
    const int from = std::max(kFieldLeft, sight->shipX - kShotWatchWidth);
    const int to = std::min(kFieldRight, sight->shipX + kShotWatchWidth);
    // Down to the ship's bottom row: a shot is a danger until it has fallen
    // past the whole ship.
    for (int y = kShipBottom; y >= kShotWatchTop; --y) {
        for (int x = from; x < to; ++x) {
            if (!isInvaderShot(pixelAt(frame, x, y))) continue;
            if (!sight->shotSeen ||
                std::abs(x - sight->shipX) < std::abs(sight->shotX - sight->shipX)) {
                sight->shotSeen = true;
                sight->shotX = x;
            }
        }
    }
}

bool ScreenReader::shows(const CapturedFrame& frame, const Template& picture, int left,
                         int top) const {
    // A bullet may cross a picture: most of its pixels will do.
    std::size_t matching = 0;
    for (const Template::Point& p : picture.points) {
        if (frame.raw(left + p.x, top + p.y) == p.raw) ++matching;
    }
    return !picture.points.empty() && matching * 10 >= picture.points.size() * 9;
}

void ScreenReader::findTargets(const CapturedFrame& frame, int nearX, Sight* sight) const {
    // The lowest invader pixel of every screen column, then the runs of
    // neighbouring columns that hold one: each run wide enough is a column
    // of the fleet.
    int lowest[kFieldRight];
    std::fill(lowest, lowest + kFieldRight, -1);
    for (int y = kFleetBottom - 1; y >= kFleetTop; --y) {
        for (int x = kFieldLeft; x < kFieldRight; ++x) {
            if (lowest[x] < 0 && isInvader(pixelAt(frame, x, y))) lowest[x] = y;
        }
    }
    int bestBottom = -1;
    int bestX = 0;
    for (int x = kFieldLeft; x < kFieldRight;) {
        if (lowest[x] < 0) {
            ++x;
            continue;
        }
        const int start = x;
        int bottom = -1;
        while (x < kFieldRight && lowest[x] >= 0) bottom = std::max(bottom, lowest[x++]);
        if (x - start < kNarrowestInvader) continue;
        ++sight->invaderColumns;
        const int centre = (start + x - 1) / 2;
        if (centre < kReachLeft || centre > kReachRight) continue;
        const bool lower = bestBottom < 0 || bottom > bestBottom + kSameRow;
        const bool asLowAndNearer = std::abs(bottom - bestBottom) <= kSameRow &&
                                    std::abs(centre - nearX) < std::abs(bestX - nearX);
        if (lower || asLowAndNearer) {
            bestBottom = lower ? bottom : std::max(bottom, bestBottom);
            bestX = centre;
        }
    }
    if (bestBottom >= 0) {
        sight->targetSeen = true;
        sight->targetX = bestX;
        sight->targetBottom = bestBottom;
    }
}

ScreenReader::Sight ScreenReader::look(const CapturedFrame& frame, int nearX) const {
    Sight sight;
    if (!frame.hasPixels()) return sight;

    long sum = 0;
    int count = 0;
    for (int y = kShipTop; y < kShipBottom; ++y) {
        for (int x = kFieldLeft; x < kFieldRight; ++x) {
            if (isShip(pixelAt(frame, x, y))) {
                sum += x;
                ++count;
            }
        }
    }
    if (count > 0) {
        sight.shipSeen = true;
        sight.shipX = static_cast<int>(sum / count);
    }

    if (sight.shipSeen) findShots(frame, &sight);
    findTargets(frame, nearX, &sight);

    sight.freshFleet = true;
    for (int row = 0; row < kRows && sight.freshFleet; ++row) {
        for (int column = 0; column < kColumns && sight.freshFleet; ++column) {
            // Invaders are drawn from their centre less half their size.
            const int left = kFirstColumnX + kCellSpacing * column - kInvaderWidth / 2;
            const int top = kFirstRowY + kCellSpacing * row - kInvaderHeight / 2;
            sight.freshFleet = shows(frame, invaders_[kRowKinds[row]], left, top);
        }
    }
    sight.getReady = shows(frame, getReady_, kGetReadyLeft, kGetReadyTop);
    sight.paused = shows(frame, paused_, kPausedLeft, kPausedTop);
    return sight;
}
