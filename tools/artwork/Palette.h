#pragma once

#include <vector>

#include "Colour.h"

// The colours the lettering and panels share, so that every sign of the game
// looks like one family.
namespace palette {

// Warm signs: pale yellow at the top burning down to red.
inline const std::vector<Rgb> kFire = {0xFFF6B0, 0xFFE048, 0xFFB82C, 0xFF8420, 0xE85018};
// The name of the game: chrome sky above a horizon, sunset below it.
inline const std::vector<Rgb> kChrome = {0xFFFFFF, 0xC8F4FF, 0x70D0FF, 0x3088E8,
                                         0x1E3A98, 0xFFD070, 0xF88C30, 0xC84020};
// The studio's name: old gold.
inline const std::vector<Rgb> kGold = {0xFFF4C0, 0xF8D868, 0xE0AC38, 0xB07820, 0x7A4E14};
// Small print: cool white.
inline const std::vector<Rgb> kSilver = {0xFFFFFF, 0xE0E8F4, 0xB8C4DC};
// Prompts: ice blue.
inline const std::vector<Rgb> kIce = {0xFFFFFF, 0xC8F8FF, 0x78E0FF, 0x38B0F0};
// The score figures.
inline const std::vector<Rgb> kScore = {0xFFFFFF, 0xFFF4A0, 0xFFD84C, 0xFFB030};

constexpr Rgb kInk = 0x0C0818;         // outlines of lettering
constexpr Rgb kDeepShadow = 0x000000;  // drop shadows
constexpr Rgb kScoreShadow = 0x883010;

// Panels: a raised steel frame around a dark face, sunken windows.
constexpr Rgb kSteelLight = 0xB4BED8;
constexpr Rgb kSteel = 0x6C7496;
constexpr Rgb kSteelDark = 0x363A58;
constexpr Rgb kFace = 0x1A1C30;
constexpr Rgb kFaceLow = 0x111224;
constexpr Rgb kWindow = 0x04050A;
constexpr Rgb kWindowRim = 0x000000;

}  // namespace palette
