#include "platform/sdl/linux/SdlCommandLine.h"

#include <cstring>

CommandLine parseCommandLine(int argc, const char* const* argv, const SdlWindowOptions& start) {
    CommandLine line;
    line.window = start;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            line.action = CommandLine::Action::ShowHelp;
            return line;
        }
        if (std::strcmp(arg, "--version") == 0) {
            line.action = CommandLine::Action::ShowVersion;
            return line;
        }
        if (std::strcmp(arg, "--scores") == 0) {
            line.action = CommandLine::Action::ShowScores;
            return line;
        }
        if (std::strcmp(arg, "--window") == 0) {
            line.window.fullScreen = false;
        } else if (std::strcmp(arg, "--integer-scale") == 0) {
            line.window.integerScale = true;
        } else if (std::strcmp(arg, "--mute") == 0) {
            line.muted = true;
        } else if (std::strcmp(arg, "--replay") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                line.action = CommandLine::Action::Refuse;
                line.complaint = "--replay needs a replay file";
                return line;
            }
            line.replayFile = argv[++i];
        } else {
            line.action = CommandLine::Action::Refuse;
            line.complaint =
                std::string(arg[0] == '-' ? "unknown option " : "unexpected argument ") + "'" +
                arg + "'";
            return line;
        }
    }
    return line;
}

std::string helpText(const char* programName) {
    return std::string("Usage: ") + programName +
           " [--window] [--integer-scale] [--mute] [--scores] [--replay FILE]\n"
           "\n"
           "Zorbanix, a fixed shooter: slide your ship along the bottom of the screen\n"
           "and shoot the marching invaders before they reach you. They score 10, 20\n"
           "or 30 by row; you have three ships. After each game your score and the ten\n"
           "best are shown, and from there you play again or leave.\n"
           "\n"
           "Keys:\n"
           "  Left, Right       move the ship\n"
           "  Space             fire; on the title screen, start; after a game, play again\n"
           "  P                 pause and resume\n"
           "  Escape            skip the intro; end the game; on the title screen, or\n"
           "                    after a game, leave\n"
           "  Alt+Enter, F11    switch between full screen and a window\n"
           "  F10               whole-number scaling on or off\n"
           "  M                 sound off and on\n"
           "  - and =           volume down and up\n"
           "A gamepad plays too: d-pad or left stick to move, A or B to fire,\n"
           "Start to pause, Back to end the game; after a game, A plays again and\n"
           "Back leaves.\n"
           "\n"
           "Options:\n"
           "  --window          start in a window rather than full screen\n"
           "  --integer-scale   scale the picture by whole numbers only, with bars\n"
           "  --mute            start with the sound off\n"
           "  --scores          show the best scores and end\n"
           "  --replay FILE     watch a recorded game again, then end (Escape stops it);\n"
           "                    the last game played is kept as last-game.replay\n"
           "                    beside the best scores\n"
           "  --help            show this text\n"
           "  --version         show the version\n"
           "The options change this run only; what you change in the game (window\n"
           "or full screen, the window's size and place, scaling, sound and volume) is\n"
           "kept for the next, and so are the ten best scores.\n"
           "\n"
           "The pictures (*.bmp) are read from the working folder, else from the\n"
           "executable's folder, else from ../share/zorbanix beside that folder.\n";
}
