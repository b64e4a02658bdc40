#include "platform/sdl/linux/LinuxReplays.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

#include "base/GameClock.h"
#include "platform/replay/ReplayFingerprint.h"
#include "platform/sdl/linux/BetweenGames.h"
#include "platform/sdl/settings/KeptFile.h"
#include "platform/sdl/settings/SavedFile.h"

#ifndef ZORBANIX_VERSION
#define ZORBANIX_VERSION "unknown"
#endif

namespace {

// The folder the game's pictures are read from: the first that has them.
std::string pictureFolderOf(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
        if (std::FILE* file = std::fopen((prefix + "nanite.bmp").c_str(), "rb")) {
            std::fclose(file);
            return prefix;
        }
    }
    return "./";
}

}  // namespace

// The window's presenter, with each shown frame handed to the tape, which
// hashes the few it checks.
class LinuxReplays::Presenter final : public FramePresenter {
public:
    Presenter(FramePresenter& real, ReplayTape& tape) : real_(real), tape_(tape) {}

    bool attachWindow(WindowHandle window) override { return real_.attachWindow(window); }
    void present(SDL_Surface* visible) override {
        real_.present(visible);
        if (!visible || tape_.mode() == ReplayTape::Mode::Idle) return;
        if (SDL_MUSTLOCK(visible) && SDL_LockSurface(visible) != 0) return;
        const auto* pixels = static_cast<const std::uint8_t*>(visible->pixels);
        const std::size_t row = static_cast<std::size_t>(visible->w) * 2;
        if (static_cast<std::size_t>(visible->pitch) == row) {
            tape_.frameShown(pixels, row * static_cast<std::size_t>(visible->h));
        } else {
            packed_.resize(row * static_cast<std::size_t>(visible->h));
            for (int y = 0; y < visible->h; ++y) {
                std::copy(pixels + y * visible->pitch, pixels + y * visible->pitch + row,
                          packed_.begin() + static_cast<std::ptrdiff_t>(row * y));
            }
            tape_.frameShown(packed_.data(), packed_.size());
        }
        if (SDL_MUSTLOCK(visible)) SDL_UnlockSurface(visible);
    }
    void waitForVerticalBlank() override { real_.waitForVerticalBlank(); }
    bool waitsAfterPresent() const override { return real_.waitsAfterPresent(); }

private:
    FramePresenter& real_;
    ReplayTape& tape_;
    std::vector<std::uint8_t> packed_;
};

LinuxReplays::LinuxReplays(SdlPlatform& platform, LinuxBetweenGames& betweenGames)
    : platform_(platform),
      betweenGames_(betweenGames),
      tape_(startTick()),
      shell_(platform.shell(), tape_),
      devices_(platform.devices(), tape_),
      presenter_(std::make_unique<Presenter>(platform.windowPresenter(), tape_)) {}

LinuxReplays::~LinuxReplays() {
    if (writer_.joinable()) writer_.join();
}

std::string LinuxReplays::lastGamePath() {
    const std::string folder = dataFolder();
    return folder.empty() ? std::string() : folder + "/last-game.replay";
}

bool LinuxReplays::load(const std::string& path, const std::vector<std::string>& pictureFolders,
                        std::string* error) {
    std::string bytes;
    std::string why;
    switch (readSmallFile(path, kMaxReplayFileBytes, &bytes, &why)) {
        case ReadOutcome::Read:
            break;
        case ReadOutcome::Missing:
            *error = "no replay at " + path;
            return false;
        case ReadOutcome::TooLarge:
            *error = "this replay is too large";
            return false;
        case ReadOutcome::Failed:
            *error = why;
            return false;
    }
    if (!readReplay(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), replay_,
                    *error)) {
        return false;
    }
    fingerprint_ = replayFingerprint(pictureFolderOf(pictureFolders));
    if (replay_.header.fingerprint != fingerprint_) {
        *error = "this replay was recorded by another version of Zorbanix";
        return false;
    }
    replaying_ = true;
    return true;
}

void LinuxReplays::install() {
    platform_.install(presenter_.get());
    installShellPlatform(&shell_);
    installDevicePlatform(&devices_);
    setSdlShellBehind(&platform_.shell());
    setPlayAnotherGame([this](const FinishedGame& finished) { return playAnother(finished); });
    if (!replaying_) {
        fingerprint_ = replayFingerprint(pictureFolderOf(platform_.display().pictureFolders()));
        recordingFrom_ = ReplayStart::RunStart;
        tape_.startRecording(true);
    } else if (replay_.header.start == ReplayStart::GetReady) {
        tape_.leadIn();
    } else {
        tape_.startPlaying(std::move(replay_), fingerprint_);
    }
}

bool LinuxReplays::playAnother(const FinishedGame& finished) {
    if (replaying_) {
        // The first game, ended on its title, leads to the replay's.
        if (tape_.mode() != ReplayTape::Mode::LeadingIn) return false;
        tape_.startPlaying(std::move(replay_), fingerprint_);
        return true;
    }
    ResultsChoice choice = ResultsChoice::Leave;
    if (watching_) {
        watching_ = false;
        if (!tape_.mismatch().empty()) {
            std::fprintf(stderr, "zorbanix: %s\n", tape_.mismatch().c_str());
        }
        tape_.stop();
        choice = betweenGames_.resultsAgain(finished);
    } else {
        if (finished.played) keep(finished.score);
        tape_.stop();
        choice = betweenGames_.afterGame(finished, !lastGame_.events.empty());
    }
    switch (choice) {
        case ResultsChoice::Leave:
            return false;
        case ResultsChoice::Watch:
            watching_ = tape_.startPlaying(lastGame_, fingerprint_, false);
            return true;
        case ResultsChoice::PlayAgain:
            break;
    }
    recordingFrom_ = ReplayStart::GetReady;
    tape_.startRecording();
    return true;
}

void LinuxReplays::keep(std::int32_t score) {
    ReplayHeader header;
    header.buildVersion = ZORBANIX_VERSION;
    header.fingerprint = fingerprint_;
    header.date = static_cast<std::uint64_t>(std::time(nullptr));
    header.score = score;
    header.start = recordingFrom_;
    lastGame_.header = header;
    lastGame_.header.start = ReplayStart::GetReady;
    lastGame_.events = tape_.gameEvents();
    std::vector<std::uint8_t> file = tape_.finishRecording(header);
    const std::string path = lastGamePath();
    if (file.empty() || path.empty()) return;
    // One write at a time; each replaces the file whole.
    if (writer_.joinable()) writer_.join();
    writer_ = std::thread([path, file = std::move(file)] {
        std::string error;
        if (!makeFolders(folderOf(path), &error) ||
            !replaceFileWhole(path, std::string(file.begin(), file.end()), &error)) {
            std::fprintf(stderr, "zorbanix: the last game's replay was not kept: %s\n",
                         error.c_str());
        }
    });
}

void LinuxReplays::finish(bool played, std::int32_t score) {
    if (!replaying_ && tape_.mode() == ReplayTape::Mode::Recording && played) keep(score);
    tape_.stop();
    setPlayAnotherGame(nullptr);
    setSdlShellBehind(nullptr);
    if (writer_.joinable()) writer_.join();
}
