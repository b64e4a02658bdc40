#pragma once

#include "display/DirectDrawApi.h"

// DirectDraw result codes that only the software surfaces give; the display
// treats them all as plain failures.
namespace software {

constexpr DdResult kErrInvalidCaps = static_cast<DdResult>(0x88760064u);
constexpr DdResult kErrInvalidObject = static_cast<DdResult>(0x88760082u);
constexpr DdResult kErrInvalidPixelFormat = static_cast<DdResult>(0x88760091u);
constexpr DdResult kErrInvalidRect = static_cast<DdResult>(0x88760096u);
constexpr DdResult kErrNoCooperativeLevelSet = static_cast<DdResult>(0x887600D4u);
constexpr DdResult kErrNoColorKey = static_cast<DdResult>(0x887600D7u);
constexpr DdResult kErrSurfaceBusy = static_cast<DdResult>(0x887601AEu);
constexpr DdResult kErrPrimaryExists = static_cast<DdResult>(0x88760234u);
constexpr DdResult kErrNotFlippable = static_cast<DdResult>(0x88760246u);
constexpr DdResult kErrNotLocked = static_cast<DdResult>(0x88760248u);
constexpr DdResult kErrUnsupportedMode = static_cast<DdResult>(0x8876024Eu);
constexpr DdResult kErrDcAlreadyCreated = static_cast<DdResult>(0x8876026Cu);
constexpr DdResult kErrUnsupported = static_cast<DdResult>(0x80004001u);

}  // namespace software
