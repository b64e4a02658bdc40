#pragma once

#include <string>

#include "platform/sdl/SdlWindowOptions.h"

// What the Linux program was asked to do by its command line.
struct CommandLine {
    enum class Action { Play, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Play;
    SdlWindowOptions window;
    // Start with the sound off (M switches it on).
    bool muted = false;
    // For Refuse: what was wrong, in one line.
    std::string complaint;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

// The text --help prints.
std::string helpText(const char* programName);
