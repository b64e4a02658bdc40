#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/BetweenGames.h"
#include "platform/replay/ReplaySeams.h"
#include "platform/sdl/linux/BetweenGames.h"
#include "platform/sdl/shell/SdlPlatform.h"

// The Linux program's replays. Every game is recorded at the seams, from the
// start of the run or from the get-ready of a game after the first to the end
// of its game-over screen, and the last game played is kept, replaced whole,
// as last-game.replay beside the best scores (written on a thread of its
// own). With a replay given, the run plays it instead, with its sound, and
// records nothing: a first game ends on its title when the replay starts at
// a get-ready, the replay's game follows, and the run ends after it.
//
// The last game is also kept in memory from its get-ready on, for the
// results screen's R: the next game the core starts is that replay, played
// as the hook's games start, and its end (or Escape, or a replay that stops
// matching) brings the same results back, with nothing recorded or kept.
class LinuxReplays {
public:
    // Each game recorded is handed on to `betweenGames` once it has ended.
    LinuxReplays(SdlPlatform& platform, LinuxBetweenGames& betweenGames);
    ~LinuxReplays();
    LinuxReplays(const LinuxReplays&) = delete;
    LinuxReplays& operator=(const LinuxReplays&) = delete;

    // Loads the replay to play; false with the line to show when it cannot
    // be played.
    bool load(const std::string& path, const std::vector<std::string>& pictureFolders,
              std::string* error);

    // Puts the platform's seams in through the recording ones (after
    // SdlPlatform::install, and after the games after the first are set up)
    // and starts recording or playing.
    void install();
    // After programMain: keeps a last game still being recorded, and waits
    // for what is being written.
    void finish(bool played, std::int32_t score);

    // For a replay: the line shown when it stopped matching (empty if not).
    const std::string& mismatch() const { return tape_.mismatch(); }

    // The file the last game is kept in ("" without a data folder).
    static std::string lastGamePath();

private:
    class Presenter;
    bool playAnother(const FinishedGame& finished);
    void keep(std::int32_t score);

    SdlPlatform& platform_;
    LinuxBetweenGames& betweenGames_;
    ReplayTape tape_;
    ReplayShell shell_;
    ReplayDevices devices_;
    std::unique_ptr<Presenter> presenter_;
    ReplayData replay_;
    // The last game from its get-ready, and whether it is being watched.
    ReplayData lastGame_;
    bool watching_ = false;
    std::uint64_t fingerprint_ = 0;
    bool replaying_ = false;
    ReplayStart recordingFrom_ = ReplayStart::RunStart;
    std::thread writer_;
};
