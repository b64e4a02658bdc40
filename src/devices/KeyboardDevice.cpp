#include "devices/KeyboardDevice.h"

#include <cstring>

#include "devices/InputContext.h"

namespace {
constexpr std::uint32_t kCooperation = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
}

int KeyboardDevice::init(InputContext* context) {
    if (!context || isAttached()) return 0;
    // Attached from here on, even if the device cannot be made: polls then
    // fail for want of a device and every key reads as up.
    context_ = context;
    if (!context->createDevice(GUID_SysKeyboard, &device_)) return 0;
    if (device_->SetDataFormat(DiDataFormat::Keyboard) != DI_OK) return 0;
    return device_->SetCooperativeLevel(context->window(), kCooperation) == DI_OK;
}

int KeyboardDevice::poll() {
    // A refused acquire (window not in the foreground yet) keeps the last
    // snapshot; the next poll asks again.
    if (!acquire()) return 0;
    const DiResult result = device_->GetDeviceState(kKeyCount, keys_);
    if (result == DI_OK) return 1;
    if (!isInputLost(result)) return 0;

    // The keyboard was taken away while we held it. Acquire afresh and read
    // once more; if that fails the old snapshot is stale, and a key that was
    // held when focus went would otherwise stay down for good.
    acquired_ = false;
    if (acquire() && device_->GetDeviceState(kKeyCount, keys_) == DI_OK) return 1;
    std::memset(keys_, 0, sizeof keys_);
    return 0;
}
