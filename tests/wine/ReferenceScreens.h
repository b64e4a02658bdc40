#pragma once

#include <string>
#include <vector>

#include "platform/headless/CapturedFrame.h"

// The screens that the Windows build must show pixel for pixel as the Linux
// build does, rendered by the headless harness from the pictures in one
// folder. Every one of them is fixed by the pictures alone: no screen holds
// a moving object or a random choice.
//
//   intro-early  the intro before its presents line
//   intro        the intro with the presents line
//   title        the title screen
//   getready     the first wave waiting, fresh fleet and bunkers
//   paused       that wave paused before play began: the ship is shown
//   gameover     the closing screen
struct ReferenceScreen {
    std::string name;
    CapturedFrame frame;
};

// The names above, in the order in which the screens come.
std::vector<std::string> referenceScreenNames();

bool renderReferenceScreens(const std::string& pictureDir, std::vector<ReferenceScreen>* screens,
                            std::string* error);

// A screen kept as raw RGB565 pixels, row after row, least significant byte
// first: the form in which the references wait between tool runs.
bool saveRaw565(const CapturedFrame& frame, const std::string& path);
bool loadRaw565(const std::string& path, CapturedFrame* frame);
