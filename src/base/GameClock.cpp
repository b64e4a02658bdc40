#include "base/GameClock.h"

#include "base/ShellPlatform.h"

namespace {

// Taken during static initialisation, before the entry point runs, and after
// the Application, which is constant-initialised. Every game time is measured
// from this tick.
const std::uint32_t theStartTick = shellPlatform().GetTickCount();

// The difference of two tick counts as a signed value, wrapping the way the
// 32-bit counter does, without overflowing a signed type.
std::int32_t toSigned(std::uint32_t difference) {
    if (difference <= 0x7FFFFFFFu) return static_cast<std::int32_t>(difference);
    return -static_cast<std::int32_t>(0xFFFFFFFFu - difference) - 1;
}

}  // namespace

std::uint32_t startTick() { return theStartTick; }

std::int32_t gameTime() { return toSigned(shellPlatform().GetTickCount() - theStartTick); }

std::uint32_t rawTickCount() { return shellPlatform().GetTickCount(); }
