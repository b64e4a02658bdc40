#pragma once

#include <SDL.h>

#include <cstdint>

#include "devices/DirectInputApi.h"
#include "platform/RefCounted.h"

class SdlPlayerKeys;

// What the SDL keyboard and joystick share: DirectInput's reference count,
// data format, cooperative level and acquire rules. A foreground device is
// only acquired while its window has the keyboard focus (or once a quit was
// requested, when the keyboard reads as Escape held wherever the focus is);
// a read after the focus went reports DIERR_INPUTLOST once and
// DIERR_NOTACQUIRED after that, as DirectInput does when another window
// comes to the front.
class SdlInputDevice : public RefCounted<DirectInputDevice2> {
public:
    SdlInputDevice(SdlPlayerKeys* source, DiDataFormat format);
    SdlInputDevice(const SdlInputDevice&) = delete;
    SdlInputDevice& operator=(const SdlInputDevice&) = delete;

    DiResult SetDataFormat(DiDataFormat format) override;
    DiResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override;
    DiResult Acquire() override;
    DiResult Unacquire() override;
    DiResult SetProperty(const DiPropRange* range) override;
    DiResult QueryInterface(const DiGuid& iid, DirectInputDevice2** out) override;
    // Devices that need no polling say so, as DirectInput does.
    DiResult Poll() override;

    bool acquired() const { return acquired_; }

protected:
    ~SdlInputDevice() override = default;

    // Whether the device may be acquired now (besides the focus rule).
    virtual DiResult canAcquire() { return DI_OK; }
    // DI_OK while the device is acquired and its window still has the focus;
    // otherwise the result a read must give, as the last frame's events left
    // the focus.
    DiResult checkHeld();

    SdlPlayerKeys* source_;

private:
    bool hasFocus();

    const DiDataFormat expectedFormat_;
    bool formatSet_ = false;
    bool foreground_ = false;
    SDL_Window* window_ = nullptr;
    bool acquired_ = false;
};
