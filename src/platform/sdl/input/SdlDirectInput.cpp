#include "platform/sdl/input/SdlDirectInput.h"

#include <cstring>
#include <new>

#include "platform/sdl/input/SdlJoystickDevice.h"
#include "platform/sdl/input/SdlKeyboardDevice.h"

namespace {

// The fixed part of an SDL joystick's instance GUID; data1 is the id.
constexpr std::uint16_t kJoystickData2 = 0x5344;  // "SD"
constexpr std::uint16_t kJoystickData3 = 0x4C4A;  // "LJ"
constexpr std::uint8_t kJoystickData4[8] = {'j', 'o', 'y', 's', 't', 'i', 'c', 'k'};

bool isJoystickGuid(const DiGuid& guid) {
    return guid.data2 == kJoystickData2 && guid.data3 == kJoystickData3 &&
           std::memcmp(guid.data4, kJoystickData4, sizeof kJoystickData4) == 0;
}

}  // namespace

SdlDirectInput::SdlDirectInput(SdlPlayerKeys* source) : source_(source) {}

SdlDirectInput::~SdlDirectInput() {
    if (joystickSubsystem_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

DiGuid SdlDirectInput::joystickGuid(SDL_JoystickID id) {
    DiGuid guid{static_cast<std::uint32_t>(id), kJoystickData2, kJoystickData3, {}};
    std::memcpy(guid.data4, kJoystickData4, sizeof kJoystickData4);
    return guid;
}

bool SdlDirectInput::joysticksReady() {
    if (!joystickSubsystem_) joystickSubsystem_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    return joystickSubsystem_;
}

DiResult SdlDirectInput::CreateDevice(const DiGuid& guid, DirectInputDevice** out) {
    if (!out) return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (guid == GUID_SysKeyboard) {
        auto* keyboard = new (std::nothrow) SdlKeyboardDevice(source_);
        if (!keyboard) return DIERR_OUTOFMEMORY;
        *out = keyboard;
        return DI_OK;
    }
    if (isJoystickGuid(guid)) return createJoystick(guid, out);
    return DIERR_DEVICENOTREG;
}

DiResult SdlDirectInput::createJoystick(const DiGuid& guid, DirectInputDevice** out) {
    if (!joysticksReady()) return DIERR_DEVICENOTREG;
    const auto id = static_cast<SDL_JoystickID>(guid.data1);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) != id) continue;
        SDL_Joystick* joystick = SDL_JoystickOpen(index);
        if (!joystick) return DIERR_UNPLUGGED;
        auto* device = new (std::nothrow) SdlJoystickDevice(source_, this, joystick);
        if (!device) {
            SDL_JoystickClose(joystick);
            return DIERR_OUTOFMEMORY;
        }
        *out = device;
        return DI_OK;
    }
    // Unplugged since it was enumerated.
    return DIERR_DEVICENOTREG;
}

DiResult SdlDirectInput::EnumDevices(std::uint32_t devType, DiEnumDevicesCallback callback,
                                     void* context, std::uint32_t) {
    if (!callback) return DIERR_INVALIDPARAM;
    if ((devType & 0xFF) != DIDEVTYPE_JOYSTICK || !joysticksReady()) return DI_OK;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        DiDeviceInstance record{};
        record.size = sizeof record;
        record.guidInstance = joystickGuid(SDL_JoystickGetDeviceInstanceID(index));
        const SDL_JoystickGUID product = SDL_JoystickGetDeviceGUID(index);
        static_assert(sizeof product.data == sizeof record.guidProduct, "GUIDs are 16 bytes");
        std::memcpy(&record.guidProduct, product.data, sizeof record.guidProduct);
        record.devType = DIDEVTYPE_JOYSTICK;
        if (const char* name = SDL_JoystickNameForIndex(index)) {
            SDL_strlcpy(record.instanceName, name, sizeof record.instanceName);
            SDL_strlcpy(record.productName, name, sizeof record.productName);
        }
        if (callback(&record, context) == DIENUM_STOP) break;
    }
    return DI_OK;
}
