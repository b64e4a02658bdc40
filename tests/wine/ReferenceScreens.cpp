#include "ReferenceScreens.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

struct Moment {
    const char* name;
    std::int32_t at;  // the first frame shown from this game time on
};

// Game times of the scripted game, in ms. The intro lasts 3000 ms and adds
// its presents line after 2000; P is taken during the 3000 ms wait before
// the first wave, so the paused screen still holds the fresh fleet.
constexpr std::int32_t kSpace = 4000;
constexpr std::int32_t kPause = 5500;
constexpr std::int32_t kEscape = 6500;
constexpr Moment kMoments[] = {
    {"intro-early", 1000}, {"intro", 2500},          {"title", 3500},
    {"getready", 5000},    {"paused", kPause + 500}, {"gameover", kEscape + 1500},
};

// Moves into a folder for the lifetime of the object, and back out.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& folder) {
        char here[4096];
        if (getcwd(here, sizeof here)) previous_ = here;
        entered_ = !previous_.empty() && chdir(folder.c_str()) == 0;
    }
    ~WorkingDirectory() {
        if (entered_ && chdir(previous_.c_str()) != 0) std::perror("chdir back");
    }
    bool entered() const { return entered_; }

private:
    std::string previous_;
    bool entered_ = false;
};

}  // namespace

std::vector<std::string> referenceScreenNames() {
    std::vector<std::string> names;
    for (const Moment& moment : kMoments) names.push_back(moment.name);
    return names;
}

bool renderReferenceScreens(const std::string& pictureDir, std::vector<ReferenceScreen>* screens,
                            std::string* error) {
    WorkingDirectory folder(pictureDir);
    if (!folder.entered()) {
        *error = "cannot enter " + pictureDir;
        return false;
    }
    screens->clear();
    std::size_t next = 0;
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    options.onFrame = [&](const CapturedFrame& frame) {
        if (next < std::size(kMoments) && frame.gameTime >= kMoments[next].at) {
            screens->push_back({kMoments[next].name, frame});
            ++next;
        }
    };
    HeadlessPlatform platform(options);
    platform.press(DIK_SPACE, kSpace, kSpace + 100);
    platform.press(DIK_P, kPause, kPause + 100);
    platform.press(DIK_ESCAPE, kEscape, kEscape + 100);
    const HeadlessRun run = runGame(platform);
    if (next != std::size(kMoments) || run.budgetExhausted) {
        *error = "the reference game ended before its last screen";
        return false;
    }
    return true;
}

bool saveRaw565(const CapturedFrame& frame, const std::string& path) {
    if (!frame.hasPixels() || frame.layout != PixelLayout::Rgb565) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = true;
    for (std::uint16_t value : *frame.pixels) {
        ok = ok && std::fputc(value & 0xFF, file) != EOF && std::fputc(value >> 8, file) != EOF;
    }
    return std::fclose(file) == 0 && ok;
}

bool loadRaw565(const std::string& path, CapturedFrame* frame) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    auto pixels = std::make_shared<std::vector<std::uint16_t>>(
        static_cast<std::size_t>(CapturedFrame::kWidth) * CapturedFrame::kHeight);
    bool ok = true;
    for (std::uint16_t& value : *pixels) {
        const int low = std::fgetc(file);
        const int high = std::fgetc(file);
        if (low == EOF || high == EOF) {
            ok = false;
            break;
        }
        value = static_cast<std::uint16_t>(low | (high << 8));
    }
    // Exactly one frame, nothing after it.
    ok = ok && std::fgetc(file) == EOF;
    std::fclose(file);
    if (!ok) return false;
    frame->layout = PixelLayout::Rgb565;
    frame->pixels = std::move(pixels);
    return true;
}
