#include "platform/win32/Win32DevicePlatform.h"

#include <new>

#include "platform/win32/Win32DeviceHeaders.h"
#include "platform/win32/Win32DirectInput.h"
#include "platform/win32/Win32DirectSound.h"

// The seam speaks DirectX's own values; hold it to them.
static_assert(seam::kDiOk == DI_OK && seam::kInputLost == DIERR_INPUTLOST &&
                  seam::kNotAcquired == DIERR_NOTACQUIRED &&
                  seam::kOtherAppHasPrio == DIERR_OTHERAPPHASPRIO &&
                  seam::kGeneric == DIERR_GENERIC && seam::kNoInterface == DIERR_NOINTERFACE,
              "DirectInput results");
static_assert(seam::kNoEffect == DI_NOEFFECT && seam::kInvalidParam == DIERR_INVALIDPARAM &&
                  seam::kOutOfMemory == DIERR_OUTOFMEMORY &&
                  seam::kUnsupported == DIERR_UNSUPPORTED &&
                  seam::kDeviceNotRegistered == DIERR_DEVICENOTREG &&
                  seam::kUnplugged == static_cast<DiResult>(DIERR_UNPLUGGED) &&
                  seam::kOldVersion == DIERR_OLDDIRECTINPUTVERSION &&
                  seam::kBetaVersion == DIERR_BETADIRECTINPUTVERSION,
              "DirectInput results the other platforms give");
static_assert(seam::kNonExclusive == DISCL_NONEXCLUSIVE && seam::kForeground == DISCL_FOREGROUND &&
                  seam::kJoystickType == DIDEVTYPE_JOYSTICK &&
                  seam::kAttachedOnly == DIEDFL_ATTACHEDONLY && seam::kEnumStop == DIENUM_STOP &&
                  seam::kEnumContinue == DIENUM_CONTINUE && seam::kByOffset == DIPH_BYOFFSET,
              "DirectInput flags");
static_assert(seam::kJoyOffsetX == DIJOFS_X && seam::kJoyOffsetY == DIJOFS_Y,
              "joystick axis offsets");
static_assert(seam::kKeyEscape == DIK_ESCAPE && seam::kKeyP == DIK_P &&
                  seam::kKeySpace == DIK_SPACE && seam::kKeyLeft == DIK_LEFT &&
                  seam::kKeyRight == DIK_RIGHT,
              "key codes");
static_assert(seam::kDsOk == DS_OK && seam::kNoDriver == DSERR_NODRIVER &&
                  seam::kDsInvalidParam == DSERR_INVALIDPARAM && seam::kNormalLevel == DSSCL_NORMAL,
              "DirectSound values");
static_assert(kDeviceInstanceSize == sizeof(DIDEVICEINSTANCEA), "DIDEVICEINSTANCEA");
static_assert(sizeof(DiJoyState) == sizeof(DIJOYSTATE), "DIJOYSTATE");
static_assert(sizeof(DiPropRange) == sizeof(DIPROPRANGE), "DIPROPRANGE");

namespace {

class Win32DevicePlatform final : public DevicePlatform {
public:
    DiResult DirectInputCreateA(InstanceHandle instance, std::uint32_t version,
                                DirectInput** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        IDirectInputA* directInput = nullptr;
        const HRESULT result = ::DirectInputCreateA(reinterpret_cast<HINSTANCE>(instance), version,
                                                    &directInput, nullptr);
        if (FAILED(result)) return result;
        auto* wrapper = new (std::nothrow) Win32DirectInput(directInput);
        if (!wrapper) {
            directInput->Release();
            return E_OUTOFMEMORY;
        }
        *out = wrapper;
        return result;
    }

    DsResult DirectSoundCreate(const SoundDeviceGuid* device, DirectSound** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        IDirectSound* sound = nullptr;
        // The identifier is the GUID pointer the caller was given, or null
        // for the default device.
        const HRESULT result =
            ::DirectSoundCreate(reinterpret_cast<LPCGUID>(device), &sound, nullptr);
        if (FAILED(result)) return result;
        auto* wrapper = new (std::nothrow) Win32DirectSound(sound);
        if (!wrapper) {
            sound->Release();
            return E_OUTOFMEMORY;
        }
        *out = wrapper;
        return result;
    }
};

}  // namespace

DevicePlatform& win32DevicePlatform() {
    static Win32DevicePlatform platform;
    return platform;
}
