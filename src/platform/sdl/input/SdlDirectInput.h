#pragma once

#include <SDL.h>

#include <cstdint>

#include "devices/DirectInputApi.h"
#include "platform/RefCounted.h"

class SdlPlayerKeys;

// DirectInput on SDL: the system keyboard and SDL's joysticks. A joystick's
// instance GUID carries its SDL instance id, so that the device created from
// an enumerated record is the joystick that was offered.
class SdlDirectInput final : public RefCounted<DirectInput> {
public:
    explicit SdlDirectInput(SdlPlayerKeys* source);
    SdlDirectInput(const SdlDirectInput&) = delete;
    SdlDirectInput& operator=(const SdlDirectInput&) = delete;

    DiResult CreateDevice(const DiGuid& guid, DirectInputDevice** out) override;
    // Offers the attached joysticks for DIDEVTYPE_JOYSTICK; no other kind of
    // device is enumerated.
    DiResult EnumDevices(std::uint32_t devType, DiEnumDevicesCallback callback, void* context,
                         std::uint32_t flags) override;
    // Devices keep their DirectInput object (AddRef), and with it SDL's
    // joystick subsystem, alive until they are released.

    static DiGuid joystickGuid(SDL_JoystickID id);

private:
    ~SdlDirectInput() override;
    bool joysticksReady();
    DiResult createJoystick(const DiGuid& guid, DirectInputDevice** out);

    SdlPlayerKeys* source_;
    bool joystickSubsystem_ = false;
};
