#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/headless/CapturedFrame.h"
#include "platform/headless/HeadlessDevices.h"
#include "platform/headless/HeadlessLog.h"
#include "platform/headless/HeadlessShell.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// Runs the program with no window, no real clock, no keyboard and no audio:
// the software display, a clock that moves only at vertical blanks, a
// scripted keyboard, a message queue the test fills, and every shown frame
// captured. A whole game runs deterministically in milliseconds.
//
// Constructing one installs its display, device and shell platforms;
// destroying it puts the defaults back. One at a time.
//
//     HeadlessPlatform platform;
//     platform.devices().press(DIK_SPACE, 3500, 3600);  // leave the title
//     platform.devices().press(DIK_ESCAPE, 6000);        // quit in play
//     HeadlessRun run = runGame(platform);
//     // run.exitCode, run.frames[i].gameTime, run.frames[i].rgb(x, y) ...
struct HeadlessOptions {
    PixelLayout layout = PixelLayout::Rgb565;
    // Game time that passes at each vertical-blank wait, in ms (at least 1).
    std::int32_t frameTime = 16;
    // Game time when the run starts.
    std::int32_t startTime = 0;
    // Which frames keep their pixels (every frame keeps its time and index).
    // A full game is hundreds of frames of almost 1 MB each: long runs should
    // keep only what they look at. Null keeps all.
    std::function<bool(const CapturedFrame&)> keepPixels;
    // Called after each frame is captured (with its pixels, even when they
    // are not kept); may press keys or post messages for what follows.
    std::function<void(const CapturedFrame&)> onFrame;
    // After this many frames Escape is held down for good, which ends a
    // title screen or a game that would otherwise run for ever; the run
    // reports it. Far past it, the process aborts rather than hang.
    int frameBudget = 20000;
};

class HeadlessPlatform {
public:
    explicit HeadlessPlatform(HeadlessOptions options = HeadlessOptions());
    ~HeadlessPlatform();
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    HeadlessShell& shell() { return shell_; }
    HeadlessDevices& devices() { return devices_; }
    SoftwareDisplay& display() { return display_; }
    HeadlessLog& log() { return log_; }
    const HeadlessOptions& options() const { return options_; }

    const std::vector<CapturedFrame>& frames() const { return frames_; }
    // The most recently shown frame, always with its pixels; null before any.
    const CapturedFrame* lastFrame() const;
    bool budgetExhausted() const { return budgetExhausted_; }

    // Shortcuts.
    void press(int code, std::int32_t from, std::int32_t to = INT32_MAX) {
        devices_.press(code, from, to);
    }
    void postMessage(std::uint32_t message, std::uintptr_t wParam = 0,
                     std::int32_t notBefore = INT32_MIN) {
        shell_.postMessage(message, wParam, 0, notBefore);
    }
    void sendMessage(std::uint32_t message, std::uintptr_t wParam = 0,
                     std::int32_t notBefore = INT32_MIN) {
        shell_.sendMessage(message, wParam, 0, notBefore);
    }
    std::int32_t gameTime() const { return shell_.currentGameTime(); }

    // Internal: the presenter's two calls.
    void onVerticalBlank();
    void onPresent(SDL_Surface* visible);

private:
    class Presenter;

    HeadlessOptions options_;
    HeadlessLog log_;
    HeadlessShell shell_;
    HeadlessDevices devices_;
    SoftwareDisplay display_;
    Presenter* presenter_;
    std::vector<CapturedFrame> frames_;
    CapturedFrame last_;
    bool budgetExhausted_ = false;
};

struct HeadlessRun {
    int exitCode = 0;
    std::vector<CapturedFrame> frames;
    // Escape had to be forced down to end the run.
    bool budgetExhausted = false;
};

// Runs the whole program (programMain with no instance and show command 1)
// on the platform and returns its exit code and the frames it showed.
HeadlessRun runGame(HeadlessPlatform& platform, int showCommand = 1);
