#include "platform/sdl/input/SdlKeyboardDevice.h"

#include "platform/sdl/input/SdlKeyMap.h"
#include "platform/sdl/input/SdlPlayerKeys.h"
#include "platform/sdl/software/LatencyLog.h"

namespace {
constexpr std::uint32_t kSnapshotSize = 256;
}

SdlKeyboardDevice::SdlKeyboardDevice(SdlPlayerKeys* source)
    : SdlInputDevice(source, DiDataFormat::Keyboard) {}

DiResult SdlKeyboardDevice::GetDeviceState(std::uint32_t size, void* data) {
    if (size != kSnapshotSize || !data) return DIERR_INVALIDPARAM;
    const DiResult held = checkHeld();
    if (held != DI_OK) return held;
    int count = 0;
    const Uint8* state = source_->keyboardState(&count);
    fillDikSnapshot(state, count, static_cast<std::uint8_t*>(data));
    latency_log::keysRead(static_cast<const std::uint8_t*>(data), lastRead_);
    return DI_OK;
}
