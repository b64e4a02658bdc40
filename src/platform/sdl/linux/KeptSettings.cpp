#include "platform/sdl/linux/KeptSettings.h"

#include <memory>
#include <vector>

#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/GameSettings.h"
#include "platform/sdl/settings/WindowPlace.h"

namespace {

// What the file holds, changed only by the player's changes in the game.
struct Kept {
    SettingsFile file;
    GameSettings saved;
};
std::unique_ptr<Kept> kept;

void save() {
    if (kept) kept->file.save(kept->saved);
}

// The window's place and size in window mode: its client area, as SDL
// sets it when the window is made.
bool windowPlace(SDL_Window* window, GameSettings* settings) {
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

SdlWindowOptions startKeptSettings() {
    kept = std::make_unique<Kept>();
    kept->saved = kept->file.load();
    SdlWindowOptions options;
    options.fullScreen = kept->saved.fullScreen;
    options.integerScale = kept->saved.integerScale;
    return options;
}

bool keptWindowPlace(SDL_Rect* place) {
    if (!kept || !kept->saved.windowPlaced || kept->saved.windowWidth <= 0) return false;
    std::vector<ScreenBox> screens;
    for (int display = 0; display < SDL_GetNumVideoDisplays(); ++display) {
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(display, &usable) == 0) {
            screens.push_back({usable.x, usable.y, usable.w, usable.h});
        }
    }
    const GameSettings& saved = kept->saved;
    const ScreenBox box =
        placeKeptWindow({saved.windowX, saved.windowY, saved.windowWidth, saved.windowHeight},
                        screens, {0, 0, kMinimumWindowWidth, kMinimumWindowHeight});
    *place = {box.x, box.y, box.width, box.height};
    return true;
}

bool keptMute() { return kept && kept->saved.mute; }

int keptVolume() { return kept ? kept->saved.volume : GameSettings::kFullVolume; }

void keepFullScreen(bool fullScreen, const SDL_Rect& windowed) {
    if (!kept) return;
    kept->saved.fullScreen = fullScreen;
    // Going full screen: where the window was is where it comes back.
    if (fullScreen && windowed.w > 0 && windowed.h > 0) {
        kept->saved.windowX = windowed.x;
        kept->saved.windowY = windowed.y;
        kept->saved.windowWidth = windowed.w;
        kept->saved.windowHeight = windowed.h;
        kept->saved.windowPlaced = true;
    }
    save();
}

void keepIntegerScale(bool on) {
    if (!kept) return;
    kept->saved.integerScale = on;
    save();
}

void keepMute(bool on) {
    if (!kept) return;
    kept->saved.mute = on;
    save();
}

void keepVolume(int level) {
    if (!kept) return;
    kept->saved.volume = level;
    save();
}

void keepWindowPlace(SDL_Window* window) {
    if (!kept) return;
    GameSettings now = kept->saved;
    if (windowPlace(window, &now) && now != kept->saved) {
        kept->saved = now;
        save();
    }
}

std::string recordFinalScore(long score) {
    BestScores scores;
    return finalScoreLine(score, scores.record(score, todaysDate()));
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
