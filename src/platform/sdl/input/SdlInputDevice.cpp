#include "platform/sdl/input/SdlInputDevice.h"

#include "platform/sdl/input/SdlPlayerKeys.h"

SdlInputDevice::SdlInputDevice(SdlPlayerKeys* source, DiDataFormat format)
    : source_(source), expectedFormat_(format) {}

DiResult SdlInputDevice::SetDataFormat(DiDataFormat format) {
    if (format != expectedFormat_) return kDiInvalidParam;
    formatSet_ = true;
    return DI_OK;
}

DiResult SdlInputDevice::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
    const bool exclusive = (flags & DISCL_EXCLUSIVE) != 0;
    const bool shared = (flags & DISCL_NONEXCLUSIVE) != 0;
    const bool foreground = (flags & DISCL_FOREGROUND) != 0;
    const bool background = (flags & DISCL_BACKGROUND) != 0;
    // One of each pair, and a window to follow for foreground use.
    if (exclusive == shared || foreground == background) return kDiInvalidParam;
    if (foreground && !window) return kDiInvalidParam;
    foreground_ = foreground;
    window_ = reinterpret_cast<SDL_Window*>(window);
    return DI_OK;
}

DiResult SdlInputDevice::Acquire() {
    if (!formatSet_) return kDiInvalidParam;
    if (acquired_) return kDiNoEffect;
    if (foreground_ && !hasFocus()) return DIERR_OTHERAPPHASPRIO;
    const DiResult ready = canAcquire();
    if (ready != DI_OK) return ready;
    acquired_ = true;
    return DI_OK;
}

DiResult SdlInputDevice::Unacquire() {
    if (!acquired_) return kDiNoEffect;
    acquired_ = false;
    return DI_OK;
}

DiResult SdlInputDevice::SetProperty(const DiPropRange*) { return kDiInvalidParam; }

DiResult SdlInputDevice::QueryInterface(const DiGuid& iid, DirectInputDevice2** out) {
    if (!out) return kDiInvalidParam;
    if (!(iid == IID_IDirectInputDevice2A)) {
        *out = nullptr;
        return DIERR_NOINTERFACE;
    }
    AddRef();
    *out = this;
    return DI_OK;
}

std::uint32_t SdlInputDevice::Release() {
    const std::uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

DiResult SdlInputDevice::Poll() {
    const DiResult held = checkHeld();
    return held == DI_OK ? kDiNoEffect : held;
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
