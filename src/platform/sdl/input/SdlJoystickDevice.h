#pragma once

#include <SDL.h>

#include "platform/sdl/input/SdlInputDevice.h"

class SdlDirectInput;

// One SDL joystick as a DirectInput joystick: a read fills a DIJOYSTATE with
// the first six axes scaled to their ranges, two sliders, four hats as
// points of view and 32 buttons.
class SdlJoystickDevice final : public SdlInputDevice {
public:
    // Takes the opened joystick and a reference to its DirectInput object.
    SdlJoystickDevice(SdlPlayerKeys* source, SdlDirectInput* owner, SDL_Joystick* joystick);

    // DIPROP_RANGE for one axis (DIPH_BYOFFSET) or for all of them.
    DiResult SetProperty(const DiPropRange* range) override;
    DiResult Poll() override;
    DiResult GetDeviceState(std::uint32_t size, void* data) override;

    // SDL's -32768..32767 placed on min..max, ends onto ends.
    static std::int32_t scaleAxis(Sint16 value, std::int32_t min, std::int32_t max);

protected:
    ~SdlJoystickDevice() override;
    DiResult canAcquire() override;

private:
    static constexpr int kAxes = 8;  // X, Y, Z, Rx, Ry, Rz, two sliders
    struct Range {
        std::int32_t min;
        std::int32_t max;
    };

    SdlDirectInput* owner_;
    SDL_Joystick* joystick_;
    Range ranges_[kAxes];
};
