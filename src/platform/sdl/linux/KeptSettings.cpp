#include "platform/sdl/linux/KeptSettings.h"

#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/SavedFile.h"
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

void say(const std::string& line) { std::fprintf(stderr, "zorbanix: %s\n", line.c_str()); }

}  // namespace

KeptSettings::KeptSettings() : KeptSettings(std::string()) {}

KeptSettings::KeptSettings(const std::string& folder)
    : file_(folder.empty() ? SettingsFile() : SettingsFile(folder + "/settings.ini", {})),
      scores_(folder.empty() ? BestScores() : BestScores(folder + "/best-scores.txt", {})),
      settings_(file_.load()) {
    known_.table = scores_.load();
    known_.best = known_.table.empty() ? 0 : known_.table.front().points;
    known_.unreadable = scores_.unreadable();
    writer_ = std::thread([this] { write(); });
}

KeptSettings::~KeptSettings() { finish(); }

void KeptSettings::setWaits(int lockWait, int retryAfter) {
    const std::lock_guard<std::mutex> hold(mutex_);
    lockWait_ = lockWait;
    retryAfter_ = retryAfter;
}

// With mutex_ held: the wait for the lock of the save or record about to be
// made. A try again waits briefly, since another follows soon.
int KeptSettings::lockWait(bool retry) const {
    constexpr int kRetryWait = 100;
    if (finishing_ && finishWait_ >= 0) return finishWait_;
    return retry && lockWait_ > kRetryWait ? kRetryWait : lockWait_;
}

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

GameSettings KeptSettings::current() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return settings_;
}

// On the game thread: notes which settings changed for the writer, and no
// more.
void KeptSettings::change(const std::function<void(GameSettings&)>& edit) {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        GameSettings now = settings_;
        edit(now);
        const std::vector<const char*> changed = changedSettings(settings_, now);
        if (changed.empty()) return;
        settings_ = now;
        for (const char* name : changed) {
            bool noted = false;
            for (const char* waiting : unsaved_) noted = noted || waiting == name;
            if (!noted) unsaved_.push_back(name);
        }
        ++changes_;
    }
    wake_.notify_one();
}

void KeptSettings::fullScreenSwitched(bool fullScreen, const SDL_Rect& windowed) {
    change([&](GameSettings& now) {
        now.fullScreen = fullScreen;
        // Going full screen: where the window was is where it comes back.
        if (fullScreen && windowed.w > 0 && windowed.h > 0) {
            now.windowX = windowed.x;
            now.windowY = windowed.y;
            now.windowWidth = windowed.w;
            now.windowHeight = windowed.h;
            now.windowPlaced = true;
        }
    });
}

void KeptSettings::integerScaleSwitched(bool on) {
    change([&](GameSettings& now) { now.integerScale = on; });
}

void KeptSettings::muteSwitched(bool muted) {
    change([&](GameSettings& now) { now.mute = muted; });
}

void KeptSettings::volumeChanged(int level) {
    change([&](GameSettings& now) { now.volume = level; });
}

void KeptSettings::windowSettled(SDL_Window* window) {
    GameSettings placed = current();
    if (!placeOf(window, &placed)) return;
    change([&](GameSettings& now) {
        now.windowX = placed.windowX;
        now.windowY = placed.windowY;
        now.windowWidth = placed.windowWidth;
        now.windowHeight = placed.windowHeight;
        now.windowPlaced = true;
    });
}

// On the writer, with `hold` held: saves the settings changed so far. False
// when another copy of the game kept the folder locked.
bool KeptSettings::saveSettings(std::unique_lock<std::mutex>& hold) {
    const GameSettings toSave = settings_;
    const std::vector<const char*> names = unsaved_;
    unsaved_.clear();
    file_.setLockWait(lockWait(told_));
    hold.unlock();
    bool busy = false;
    file_.save(toSave, names, &busy);
    hold.lock();
    if (busy) {
        // Put back under the changes made meanwhile, which hold the newer
        // values anyway.
        for (const char* name : names) {
            bool noted = false;
            for (const char* waiting : unsaved_) noted = noted || waiting == name;
            if (!noted) unsaved_.push_back(name);
        }
        if (!told_) {
            say("another copy of the game keeps " + folderOf(file_.path()) +
                " locked: the settings changed here are saved once it lets go");
        }
    }
    waiting_ = busy;
    told_ = busy;
    return !busy;
}

void KeptSettings::recordScore(const WaitingScore& waiting) {
    const ScoreOutcome outcome = scores_.record(waiting.score, todaysDate());
    std::printf("%s\n", finalScoreLine(waiting.score, outcome).c_str());
    std::fflush(stdout);
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        known_ = outcome;
    }
    if (waiting.recorded) waiting.recorded(outcome);
}

// The writer thread: records the scores handed to it and saves the settings
// changed, until finish() and nothing is left to do. A save that found the
// folder locked is tried again after a short while, at the next change, or
// at finish(), once more then.
void KeptSettings::write() {
    std::unique_lock<std::mutex> hold(mutex_);
    bool finalTry = false;
    for (;;) {
        if (!waitingScores_.empty()) {
            const WaitingScore waiting = waitingScores_.front();
            waitingScores_.erase(waitingScores_.begin());
            scores_.setLockWait(lockWait(false));
            hold.unlock();
            recordScore(waiting);
            hold.lock();
            continue;
        }
        if (!unsaved_.empty() && (!waiting_ || finishing_)) {
            finalTry = finishing_;
            if (saveSettings(hold) || !finalTry) continue;
            say("another copy of the game still keeps " + folderOf(file_.path()) +
                " locked: the settings changed here are not saved");
            return;
        }
        if (finishing_ && (unsaved_.empty() || finalTry)) return;
        const unsigned seen = changes_;
        const auto due = [&] {
            return finishing_ || !waitingScores_.empty() || changes_ != seen ||
                   (!unsaved_.empty() && !waiting_);
        };
        if (waiting_) {
            if (!wake_.wait_for(hold, std::chrono::milliseconds(retryAfter_), due))
                waiting_ = false;
            if (changes_ != seen) waiting_ = false;
        } else {
            wake_.wait(hold, due);
        }
    }
}

void KeptSettings::finish(int lockWait) {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        finishing_ = true;
        if (lockWait >= 0) finishWait_ = lockWait;
    }
    wake_.notify_one();
    if (writer_.joinable()) writer_.join();
    const std::lock_guard<std::mutex> hold(mutex_);
    finished_ = true;
}

void KeptSettings::recordFinalScoreAway(long score,
                                        std::function<void(const ScoreOutcome&)> recorded) {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        if (!finished_) {
            waitingScores_.push_back({score, std::move(recorded)});
            wake_.notify_one();
            return;
        }
        scores_.setLockWait(lockWait(false));
    }
    recordScore({score, std::move(recorded)});
}

ScoreOutcome KeptSettings::knownScores() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return known_;
}

std::string KeptSettings::recordFinalScore(long score, ScoreOutcome* outcome) {
    finish();
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        scores_.setLockWait(lockWait(false));
    }
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
    const std::vector<ScoreEntry> table = scores.load();
    return scoresText(table, scores.path(), scores.unreadable());
}
