#include "platform/sdl/linux/KeptSettings.h"

#include <vector>

#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/WindowPlace.h"

namespace {

// The window's place and size in window mode: its client area, as SDL
// sets it when the window is made.
bool placeOf(SDL_Window* window, GameSettings* settings) {
    if (!window || (SDL_GetWindowFlags(window) &
                    (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED)) != 0) {
        return false;
    }
    SDL_GetWindowPosition(window, &settings->windowX, &settings->windowY);
    SDL_GetWindowSize(window, &settings->windowWidth, &settings->windowHeight);
    settings->windowPlaced = true;
    return settings->windowWidth > 0 && settings->windowHeight > 0;
}

}  // namespace

KeptSettings::KeptSettings() : settings_(file_.load()), writer_([this] { write(); }) {}

KeptSettings::~KeptSettings() { finish(); }

SdlWindowOptions KeptSettings::windowOptions() const {
    const GameSettings kept = current();
    SdlWindowOptions options;
    options.fullScreen = kept.fullScreen;
    options.integerScale = kept.integerScale;
    return options;
}

bool KeptSettings::windowPlace(SDL_Rect* place) const {
    const GameSettings kept = current();
    if (!kept.windowPlaced || kept.windowWidth <= 0) return false;
    std::vector<ScreenBox> screens;
    for (int display = 0; display < SDL_GetNumVideoDisplays(); ++display) {
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(display, &usable) == 0) {
            screens.push_back({usable.x, usable.y, usable.w, usable.h});
        }
    }
    const ScreenBox box =
        placeKeptWindow({kept.windowX, kept.windowY, kept.windowWidth, kept.windowHeight}, screens,
                        {0, 0, kMinimumWindowWidth, kMinimumWindowHeight});
    *place = {box.x, box.y, box.width, box.height};
    return true;
}

bool KeptSettings::muted() const { return current().mute; }

int KeptSettings::volume() const { return current().volume; }

// On the game thread: notes the change for the writer, and no more.
void KeptSettings::change(const GameSettings& now) {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        if (now == settings_) return;
        settings_ = now;
        unsaved_ = true;
    }
    wake_.notify_one();
}

GameSettings KeptSettings::current() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return settings_;
}

void KeptSettings::fullScreenSwitched(bool fullScreen, const SDL_Rect& windowed) {
    GameSettings now = current();
    now.fullScreen = fullScreen;
    // Going full screen: where the window was is where it comes back.
    if (fullScreen && windowed.w > 0 && windowed.h > 0) {
        now.windowX = windowed.x;
        now.windowY = windowed.y;
        now.windowWidth = windowed.w;
        now.windowHeight = windowed.h;
        now.windowPlaced = true;
    }
    change(now);
}

void KeptSettings::integerScaleSwitched(bool on) {
    GameSettings now = current();
    now.integerScale = on;
    change(now);
}

void KeptSettings::muteSwitched(bool muted) {
    GameSettings now = current();
    now.mute = muted;
    change(now);
}

void KeptSettings::volumeChanged(int level) {
    GameSettings now = current();
    now.volume = level;
    change(now);
}

void KeptSettings::windowSettled(SDL_Window* window) {
    GameSettings now = current();
    if (placeOf(window, &now)) change(now);
}

// The writer thread: saves the settings as they stand whenever they changed,
// until finish() and nothing is left unsaved.
void KeptSettings::write() {
    std::unique_lock<std::mutex> hold(mutex_);
    for (;;) {
        wake_.wait(hold, [this] { return unsaved_ || finishing_; });
        if (!unsaved_) return;
        const GameSettings toSave = settings_;
        unsaved_ = false;
        hold.unlock();
        file_.save(toSave);
        hold.lock();
    }
}

void KeptSettings::finish() {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        finishing_ = true;
    }
    wake_.notify_one();
    if (writer_.joinable()) writer_.join();
}

std::string KeptSettings::recordFinalScore(long score, ScoreOutcome* outcome) {
    const ScoreOutcome recorded = scores_.record(score, todaysDate());
    if (outcome) *outcome = recorded;
    return finalScoreLine(score, recorded);
}

std::string settingsFilePath() {
    return SettingsFile([](const std::string&) {}).path();
}

std::string bestScoresPath() {
    return BestScores([](const std::string&) {}).path();
}

std::string bestScoresText() {
    BestScores scores;
    return scoresText(scores.load(), scores.path());
}
