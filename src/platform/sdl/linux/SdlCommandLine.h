#pragma once

#include <string>

#include "platform/sdl/display/SdlWindowOptions.h"

// What the Linux program was asked to do by its command line.
struct CommandLine {
    enum class Action { Play, ShowHelp, ShowVersion, ShowScores, Refuse };
    Action action = Action::Play;
    SdlWindowOptions window;
    // Start with the sound off (M switches it on).
    bool muted = false;
    // Play this replay file instead of a game.
    std::string replayFile;
    // For Refuse: what was wrong, in one line.
    std::string complaint;
};

// The options change `start` (the settings kept from earlier runs) for this
// run only.
CommandLine parseCommandLine(int argc, const char* const* argv,
                             const SdlWindowOptions& start = SdlWindowOptions());

// The text --help prints.
std::string helpText(const char* programName);
