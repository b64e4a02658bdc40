#include "platform/replay/ReplaySeams.h"

#include "platform/RefCounted.h"

namespace {

// A device the game made: its reads go through the tape under the number of
// the device in the order the game made them, the same in every run of the
// same game.
class TapeDevice final : public RefCounted<DirectInputDevice2> {
public:
    TapeDevice(DirectInputDevice* real, ReplayTape& tape, int number)
        : real_(real), tape_(tape), number_(number) {}

    DiResult SetDataFormat(DiDataFormat format) override { return real_->SetDataFormat(format); }
    DiResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override {
        return real_->SetCooperativeLevel(window, flags);
    }
    DiResult Acquire() override {
        return tape_.result(number_, ReplayCall::Acquire, real_->Acquire());
    }
    DiResult Unacquire() override { return real_->Unacquire(); }
    DiResult GetDeviceState(std::uint32_t size, void* data) override {
        return tape_.state(number_, real_->GetDeviceState(size, data), data, size);
    }
    DiResult SetProperty(const DiPropRange* range) override { return real_->SetProperty(range); }
    DiResult QueryInterface(const DiGuid& iid, DirectInputDevice2** out) override {
        if (!out) return real_->QueryInterface(iid, out);
        DirectInputDevice2* second = nullptr;
        const DiResult result = real_->QueryInterface(iid, &second);
        *out = nullptr;
        if (result != DI_OK || !second) return result;
        // The game holds the second interface as one more reference to this
        // device; the real one's reference is given back when this goes.
        if (second2_) second2_->Release();
        second2_ = second;
        AddRef();
        *out = this;
        return result;
    }
    DiResult Poll() override {
        const DiResult real = second2_ ? second2_->Poll() : DIERR_NOINTERFACE;
        return tape_.result(number_, ReplayCall::Poll, real);
    }

private:
    ~TapeDevice() override {
        if (second2_) second2_->Release();
        real_->Release();
    }

    DirectInputDevice* real_;
    DirectInputDevice2* second2_ = nullptr;
    ReplayTape& tape_;
    int number_;
};

class TapeInput final : public RefCounted<DirectInput> {
public:
    TapeInput(DirectInput* real, ReplayTape& tape) : real_(real), tape_(tape) {}

    DiResult CreateDevice(const DiGuid& guid, DirectInputDevice** out) override {
        if (!out) return real_->CreateDevice(guid, out);
        DirectInputDevice* device = nullptr;
        const DiResult result = real_->CreateDevice(guid, &device);
        *out = device ? new TapeDevice(device, tape_, devicesMade_++) : nullptr;
        return result;
    }
    DiResult EnumDevices(std::uint32_t devType, DiEnumDevicesCallback callback, void* context,
                         std::uint32_t flags) override {
        return real_->EnumDevices(devType, callback, context, flags);
    }

private:
    ~TapeInput() override { real_->Release(); }

    DirectInput* real_;
    ReplayTape& tape_;
    int devicesMade_ = 0;
};

}  // namespace

bool ReplayShell::PeekMessageA(ShellMessage* message, WindowHandle window, std::uint32_t filterMin,
                               std::uint32_t filterMax, std::uint32_t removeFlags) {
    const bool found = real_.PeekMessageA(message, window, filterMin, filterMax, removeFlags);
    if (!message) return found;
    std::uint32_t id = found ? message->message : WM_NULL;
    std::uintptr_t wParam = found ? message->wParam : 0;
    std::intptr_t lParam = found ? message->lParam : 0;
    const bool given = tape_.message(found, id, wParam, lParam);
    if (given) {
        if (!found) message->window = window ? window : window_;
        message->message = id;
        message->wParam = wParam;
        message->lParam = lParam;
    }
    return given;
}

DiResult ReplayDevices::DirectInputCreateA(InstanceHandle instance, std::uint32_t version,
                                           DirectInput** out) {
    if (!out) return real_.DirectInputCreateA(instance, version, out);
    DirectInput* input = nullptr;
    const DiResult result = real_.DirectInputCreateA(instance, version, &input);
    *out = input ? new TapeInput(input, tape_) : nullptr;
    return result;
}
