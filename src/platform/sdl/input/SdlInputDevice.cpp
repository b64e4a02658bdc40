#include "platform/sdl/input/SdlInputDevice.h"

#include "platform/sdl/input/SdlPlayerKeys.h"

SdlInputDevice::SdlInputDevice(SdlPlayerKeys* source, DiDataFormat format)
    : source_(source), expectedFormat_(format) {}

DiResult SdlInputDevice::SetDataFormat(DiDataFormat format) {
    if (format != expectedFormat_) return DIERR_INVALIDPARAM;
    formatSet_ = true;
    return DI_OK;
}

DiResult SdlInputDevice::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
    const bool exclusive = (flags & DISCL_EXCLUSIVE) != 0;
    const bool shared = (flags & DISCL_NONEXCLUSIVE) != 0;
    const bool foreground = (flags & DISCL_FOREGROUND) != 0;
    const bool background = (flags & DISCL_BACKGROUND) != 0;
    // One of each pair, and a window to follow for foreground use.
    if (exclusive == shared || foreground == background) return DIERR_INVALIDPARAM;
    if (foreground && !window) return DIERR_INVALIDPARAM;
    foreground_ = foreground;
    window_ = reinterpret_cast<SDL_Window*>(window);
    return DI_OK;
}

DiResult SdlInputDevice::Acquire() {
    if (!formatSet_) return DIERR_INVALIDPARAM;
    if (acquired_) return DI_NOEFFECT;
    if (foreground_ && !hasFocus()) return DIERR_OTHERAPPHASPRIO;
    const DiResult ready = canAcquire();
    if (ready != DI_OK) return ready;
    acquired_ = true;
    return DI_OK;
}

DiResult SdlInputDevice::Unacquire() {
    if (!acquired_) return DI_NOEFFECT;
    acquired_ = false;
    return DI_OK;
}

DiResult SdlInputDevice::SetProperty(const DiPropRange*) { return DIERR_INVALIDPARAM; }

DiResult SdlInputDevice::QueryInterface(const DiGuid& iid, DirectInputDevice2** out) {
    if (!out) return DIERR_INVALIDPARAM;
    if (!(iid == IID_IDirectInputDevice2A)) {
        *out = nullptr;
        return DIERR_NOINTERFACE;
    }
    AddRef();
    *out = this;
    return DI_OK;
}

DiResult SdlInputDevice::Poll() {
    const DiResult held = checkHeld();
    return held == DI_OK ? DI_NOEFFECT : held;
}

DiResult SdlInputDevice::checkHeld() {
    if (!acquired_) return DIERR_NOTACQUIRED;
    if (foreground_ && !hasFocus()) {
        acquired_ = false;
        return DIERR_INPUTLOST;
    }
    return DI_OK;
}

// A quit request is read whichever window has the focus, so that it ends the
// game also while the game is in the background or minimised.
bool SdlInputDevice::hasFocus() {
    return source_->quitRequested() || (window_ && source_->keyboardFocus() == window_);
}
