#include "platform/headless/HeadlessPlatform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/EntryPoint.h"
#include "base/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "devices/SoundCues.h"
#include "display/DisplayPlatform.h"

class HeadlessPlatform::Presenter final : public FramePresenter {
public:
    explicit Presenter(HeadlessPlatform& owner) : owner_(owner) {}
    void present(SDL_Surface* visible) override { owner_.onPresent(visible); }
    void waitForVerticalBlank() override { owner_.onVerticalBlank(); }

private:
    HeadlessPlatform& owner_;
};

namespace {

// Copies the top-left 800 x 600 of a 16-bit surface; what lies outside a
// smaller surface stays black.
std::vector<std::uint16_t> copyVisible(SDL_Surface* visible) {
    std::vector<std::uint16_t> pixels(
        static_cast<std::size_t>(CapturedFrame::kWidth) * CapturedFrame::kHeight, 0);
    if (!visible || !visible->format || visible->format->BytesPerPixel != 2) return pixels;
    const bool locked = SDL_MUSTLOCK(visible) && SDL_LockSurface(visible) == 0;
    if (visible->pixels) {
        const int width = visible->w < CapturedFrame::kWidth ? visible->w : CapturedFrame::kWidth;
        const int height =
            visible->h < CapturedFrame::kHeight ? visible->h : CapturedFrame::kHeight;
        const auto* base = static_cast<const unsigned char*>(visible->pixels);
        for (int y = 0; y < height; ++y) {
            std::memcpy(&pixels[static_cast<std::size_t>(y) * CapturedFrame::kWidth],
                        base + static_cast<std::size_t>(y) * visible->pitch,
                        static_cast<std::size_t>(width) * 2);
        }
    }
    if (locked) SDL_UnlockSurface(visible);
    return pixels;
}

// Game time past the budget that the run may still use to finish (the title
// or play ends at once on Escape, the game-over screen lasts 5000 ms).
constexpr std::int32_t kWindDownTime = 20000;

}  // namespace

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options)
    : options_(std::move(options)),
      shell_(&log_),
      devices_(&shell_, &log_),
      display_(options_.layout),
      presenter_(new Presenter(*this)) {
    if (options_.frameTime < 1) options_.frameTime = 1;
    if (options_.frameBudget < 1) options_.frameBudget = 1;
    last_.layout = options_.layout;
    display_.setPresenter(presenter_);
    shell_.setGameTime(options_.startTime);
    installShellPlatform(&shell_);
    installDevicePlatform(&devices_);
    installSoundCues(&devices_);
    installDisplayPlatform(&display_);
}

HeadlessPlatform::~HeadlessPlatform() {
    installDisplayPlatform(nullptr);
    installSoundCues(nullptr);
    installDevicePlatform(nullptr);
    installShellPlatform(nullptr);
    display_.setPresenter(nullptr);
    delete presenter_;
}

const CapturedFrame* HeadlessPlatform::lastFrame() const { return last_.pixels ? &last_ : nullptr; }

void HeadlessPlatform::onVerticalBlank() {
    shell_.advance(options_.frameTime);
    HeadlessRecord entry;
    entry.event = HeadlessEvent::VerticalBlank;
    entry.gameTime = shell_.currentGameTime();
    log_.add(entry);
}

void HeadlessPlatform::onPresent(SDL_Surface* visible) {
    CapturedFrame frame;
    frame.index = static_cast<int>(frames_.size());
    frame.gameTime = shell_.currentGameTime();
    frame.layout = options_.layout;

    auto pixels = std::make_shared<std::vector<std::uint16_t>>(copyVisible(visible));
    // Screens that stand still show the same picture for hundreds of frames.
    if (last_.pixels && *last_.pixels == *pixels) {
        frame.pixels = last_.pixels;
    } else {
        frame.pixels = std::move(pixels);
    }
    last_ = frame;

    CapturedFrame stored = frame;
    if (options_.keepPixels && !options_.keepPixels(frame)) stored.pixels.reset();
    frames_.push_back(stored);

    HeadlessRecord entry;
    entry.event = HeadlessEvent::Present;
    entry.gameTime = frame.gameTime;
    entry.value = frame.index;
    log_.add(entry);

    if (options_.onFrame) options_.onFrame(frame);

    const std::size_t shown = frames_.size();
    if (!budgetExhausted_ && shown >= static_cast<std::size_t>(options_.frameBudget)) {
        budgetExhausted_ = true;
        devices_.forceDown(DIK_ESCAPE);
    }
    const std::size_t hardLimit = static_cast<std::size_t>(options_.frameBudget) +
                                  static_cast<std::size_t>(kWindDownTime / options_.frameTime) +
                                  1000;
    if (shown > hardLimit) {
        // Escape did not end the run (no keyboard?): better a clear failure
        // than a test that never returns.
        std::fprintf(stderr, "headless run still going after %zu frames: aborting\n", shown);
        std::abort();
    }
}

HeadlessRun runGame(HeadlessPlatform& platform, int showCommand) {
    HeadlessRun run;
    run.exitCode = programMain(nullptr, showCommand);
    run.frames = platform.frames();
    run.budgetExhausted = platform.budgetExhausted();
    return run;
}
