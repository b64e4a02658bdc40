#include "devices/JoystickDevice.h"

#include "devices/InputContext.h"

namespace {
constexpr std::uint32_t kCooperation = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
constexpr std::uint32_t kPropHeaderSize = 16;
constexpr std::uint8_t kPressedBit = 0x80;
}  // namespace

int JoystickDevice::release() {
    if (isAcquired()) unacquire();
    if (device2_) device2_->Release();
    device2_ = nullptr;
    return InputDevice::release();
}

int JoystickDevice::init(InputContext* context) {
    // A second init would leak the interface already held.
    if (!context || isAttached()) return 0;
    context_ = context;
    const DiDeviceInstance* record = context->findJoystick();
    if (!record) return 0;

    DirectInputDevice* first = nullptr;
    if (!context->createDevice(record->guidInstance, &first)) return 0;
    // Only the second interface can be polled; the first is not kept.
    DirectInputDevice2* second = nullptr;
    const DiResult queried = first->QueryInterface(IID_IDirectInputDevice2A, &second);
    first->Release();
    if (queried != DI_OK || !second) return 0;
    device2_ = second;

    if (device2_->SetDataFormat(DiDataFormat::Joystick) != DI_OK) return 0;
    if (device2_->SetCooperativeLevel(context->window(), kCooperation) != DI_OK ||
        !setAxisRange(DIJOFS_X) || !setAxisRange(DIJOFS_Y)) {
        dropDevice2();
        return 0;
    }
    return 1;
}

int JoystickDevice::setAxisRange(std::uint32_t axis) {
    DiPropRange range{};
    range.size = sizeof(DiPropRange);
    range.headerSize = kPropHeaderSize;
    range.object = axis;
    range.how = DIPH_BYOFFSET;
    range.min = kAxisMin;
    range.max = kAxisMax;
    return device2_->SetProperty(&range) == DI_OK;
}

void JoystickDevice::dropDevice2() {
    device2_->Release();
    device2_ = nullptr;
    acquired_ = false;
}

int JoystickDevice::acquire() { return acquireOn(device2_); }

int JoystickDevice::unacquire() { return unacquireOn(device2_); }

int JoystickDevice::poll() {
    if (!acquire()) return 0;
    DiJoyState state{};
    DiResult result = pollAndRead(&state);
    if (isInputLost(result)) {
        // Taken away by another window: the flag must go, or acquire would
        // answer from memory and the retry could never succeed.
        acquired_ = false;
        if (acquire()) result = pollAndRead(&state);
        if (result != DI_OK) {
            // Nothing is known to be held any more.
            x_ = 0;
            y_ = 0;
            for (bool& pressed : buttons_) pressed = false;
            return 0;
        }
    }
    if (result != DI_OK) return 0;
    x_ = state.lX;
    y_ = state.lY;
    for (int i = 0; i < kButtonCount; ++i) buttons_[i] = (state.rgbButtons[i] & kPressedBit) != 0;
    return 1;
}

DiResult JoystickDevice::pollAndRead(DiJoyState* state) {
    // A lost device already shows in Poll; any other failure of it ends the read.
    const DiResult polled = device2_->Poll();
    if (polled < 0) return isInputLost(polled) ? polled : DIERR_GENERIC;
    return device2_->GetDeviceState(sizeof *state, state);
}
