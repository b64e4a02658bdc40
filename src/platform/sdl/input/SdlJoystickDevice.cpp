#include "platform/sdl/input/SdlJoystickDevice.h"

#include <cstring>

#include "platform/sdl/input/SdlDirectInput.h"

namespace {

constexpr std::uint32_t kDiphDevice = 0;
constexpr std::uint32_t kPropRangeSize = 24;
constexpr std::uint32_t kPropHeaderSize = 16;
// DirectInput's own range until one is set.
constexpr std::int32_t kDefaultMin = 0;
constexpr std::int32_t kDefaultMax = 65535;
constexpr std::uint32_t kPovCentred = 0xFFFFFFFFu;

// Hundredths of a degree clockwise from north.
std::uint32_t povFromHat(Uint8 hat) {
    switch (hat) {
        case SDL_HAT_UP:
            return 0;
        case SDL_HAT_RIGHTUP:
            return 4500;
        case SDL_HAT_RIGHT:
            return 9000;
        case SDL_HAT_RIGHTDOWN:
            return 13500;
        case SDL_HAT_DOWN:
            return 18000;
        case SDL_HAT_LEFTDOWN:
            return 22500;
        case SDL_HAT_LEFT:
            return 27000;
        case SDL_HAT_LEFTUP:
            return 31500;
        default:
            return kPovCentred;
    }
}

}  // namespace

SdlJoystickDevice::SdlJoystickDevice(SdlPlayerKeys* source, SdlDirectInput* owner,
                                     SDL_Joystick* joystick)
    : SdlInputDevice(source, DiDataFormat::Joystick), owner_(owner), joystick_(joystick) {
    for (Range& range : ranges_) range = {kDefaultMin, kDefaultMax};
    owner_->AddRef();
}

SdlJoystickDevice::~SdlJoystickDevice() {
    SDL_JoystickClose(joystick_);
    owner_->Release();
}

std::int32_t SdlJoystickDevice::scaleAxis(Sint16 value, std::int32_t min, std::int32_t max) {
    const std::int64_t span = static_cast<std::int64_t>(max) - min;
    const std::int64_t offset = static_cast<std::int64_t>(value) + 32768;
    return static_cast<std::int32_t>(min + offset * span / 65535);
}

DiResult SdlJoystickDevice::SetProperty(const DiPropRange* range) {
    if (!range || range->size != kPropRangeSize || range->headerSize != kPropHeaderSize ||
        range->min >= range->max) {
        return DIERR_INVALIDPARAM;
    }
    if (range->how == kDiphDevice && range->object == 0) {
        for (Range& each : ranges_) each = {range->min, range->max};
        return DI_OK;
    }
    // Axes sit at 4-byte offsets from the start of DIJOYSTATE.
    if (range->how != DIPH_BYOFFSET || range->object % 4 != 0 || range->object / 4 >= kAxes) {
        return DIERR_INVALIDPARAM;
    }
    ranges_[range->object / 4] = {range->min, range->max};
    return DI_OK;
}

DiResult SdlJoystickDevice::canAcquire() {
    return SDL_JoystickGetAttached(joystick_) ? DI_OK : DIERR_UNPLUGGED;
}

DiResult SdlJoystickDevice::Poll() {
    const DiResult held = checkHeld();
    if (held != DI_OK) return held;
    SDL_JoystickUpdate();
    if (!SDL_JoystickGetAttached(joystick_)) {
        Unacquire();
        return DIERR_INPUTLOST;
    }
    return DI_OK;
}

DiResult SdlJoystickDevice::GetDeviceState(std::uint32_t size, void* data) {
    if (size != sizeof(DiJoyState) || !data) return DIERR_INVALIDPARAM;
    const DiResult held = checkHeld();
    if (held != DI_OK) return held;
    if (!SDL_JoystickGetAttached(joystick_)) {
        Unacquire();
        return DIERR_INPUTLOST;
    }

    DiJoyState state{};
    std::int32_t axes[kAxes];
    const int axisCount = SDL_JoystickNumAxes(joystick_);
    for (int axis = 0; axis < kAxes; ++axis) {
        const Range& range = ranges_[axis];
        // An axis the stick lacks rests in the middle of its range.
        const Sint16 value = axis < axisCount ? SDL_JoystickGetAxis(joystick_, axis) : Sint16{0};
        axes[axis] = scaleAxis(value, range.min, range.max);
    }
    state.lX = axes[0];
    state.lY = axes[1];
    state.lZ = axes[2];
    state.lRx = axes[3];
    state.lRy = axes[4];
    state.lRz = axes[5];
    state.rglSlider[0] = axes[6];
    state.rglSlider[1] = axes[7];

    const int hats = SDL_JoystickNumHats(joystick_);
    for (int pov = 0; pov < 4; ++pov) {
        state.rgdwPOV[pov] =
            pov < hats ? povFromHat(SDL_JoystickGetHat(joystick_, pov)) : kPovCentred;
    }
    const int buttons = SDL_JoystickNumButtons(joystick_);
    for (int button = 0; button < 32 && button < buttons; ++button) {
        state.rgbButtons[button] = SDL_JoystickGetButton(joystick_, button) ? 0x80 : 0;
    }
    std::memcpy(data, &state, sizeof state);
    return DI_OK;
}
