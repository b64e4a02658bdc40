#include "platform/win32/Win32DirectInput.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/win32/Win32InputDevice.h"

namespace {

// Carries the seam's callback through DirectInput's.
struct Enumeration {
    DiEnumDevicesCallback callback;
    void* context;
};

BOOL CALLBACK offerDevice(LPCDIDEVICEINSTANCEA instance, LPVOID reference) {
    const auto* enumeration = static_cast<const Enumeration*>(reference);
    if (!instance) return enumeration->callback(nullptr, enumeration->context);
    DiDeviceInstance record{};
    record.size = sizeof record;
    std::memcpy(&record.guidInstance, &instance->guidInstance, sizeof record.guidInstance);
    std::memcpy(&record.guidProduct, &instance->guidProduct, sizeof record.guidProduct);
    record.devType = instance->dwDevType;
    static_assert(sizeof record.instanceName == sizeof instance->tszInstanceName, "MAX_PATH");
    static_assert(sizeof record.productName == sizeof instance->tszProductName, "MAX_PATH");
    std::memcpy(record.instanceName, instance->tszInstanceName, sizeof record.instanceName);
    std::memcpy(record.productName, instance->tszProductName, sizeof record.productName);
    record.instanceName[sizeof record.instanceName - 1] = '\0';
    record.productName[sizeof record.productName - 1] = '\0';
    return enumeration->callback(&record, enumeration->context);
}

}  // namespace

DiResult Win32DirectInput::CreateDevice(const DiGuid& guid, DirectInputDevice** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const GUID windowsGuid = toWindowsGuid(guid);
    IDirectInputDeviceA* device = nullptr;
    const HRESULT result = directInput_->CreateDevice(windowsGuid, &device, nullptr);
    if (FAILED(result)) return result;
    auto* wrapper = new (std::nothrow) Win32InputDevice(device);
    if (!wrapper) {
        device->Release();
        return E_OUTOFMEMORY;
    }
    *out = wrapper;
    return result;
}

DiResult Win32DirectInput::EnumDevices(std::uint32_t devType, DiEnumDevicesCallback callback,
                                       void* context, std::uint32_t flags) {
    if (!callback) return E_POINTER;
    Enumeration enumeration{callback, context};
    return directInput_->EnumDevices(devType, offerDevice, &enumeration, flags);
}

std::uint32_t Win32DirectInput::Release() {
    const ULONG left = directInput_->Release();
    delete this;
    return left;
}
