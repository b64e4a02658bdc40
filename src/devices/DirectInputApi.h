#pragma once

#include <cstdint>

#include "base/Handles.h"

// The devices' seam to the platform for input: exactly the DirectInput 7
// calls that the input system makes, with DirectInput's own values.

using DiResult = std::int32_t;

constexpr DiResult DI_OK = 0;
constexpr DiResult S_FALSE_RESULT = 1;
constexpr DiResult DIERR_INPUTLOST = static_cast<DiResult>(0x8007001Eu);
constexpr DiResult DIERR_NOTACQUIRED = static_cast<DiResult>(0x8007000Cu);
constexpr DiResult DIERR_OTHERAPPHASPRIO = static_cast<DiResult>(0x80070005u);
constexpr DiResult DIERR_GENERIC = static_cast<DiResult>(0x80004005u);
constexpr DiResult DIERR_NOINTERFACE = static_cast<DiResult>(0x80004002u);
// The results only the platform layers give; the input system treats them as
// any other failure.
constexpr DiResult DI_NOEFFECT = S_FALSE_RESULT;
constexpr DiResult DIERR_INVALIDPARAM = static_cast<DiResult>(0x80070057u);
constexpr DiResult DIERR_OUTOFMEMORY = static_cast<DiResult>(0x8007000Eu);
constexpr DiResult DIERR_UNSUPPORTED = static_cast<DiResult>(0x80004001u);
constexpr DiResult DIERR_DEVICENOTREG = static_cast<DiResult>(0x80040154u);
constexpr DiResult DIERR_UNPLUGGED = static_cast<DiResult>(0x80040209u);
constexpr DiResult DIERR_OLDDIRECTINPUTVERSION = static_cast<DiResult>(0x8007047Eu);
constexpr DiResult DIERR_BETADIRECTINPUTVERSION = static_cast<DiResult>(0x80070481u);

constexpr std::uint32_t DIRECTINPUT_VERSION_7 = 0x0700;
constexpr std::uint32_t DISCL_EXCLUSIVE = 0x00000001;
constexpr std::uint32_t DISCL_NONEXCLUSIVE = 0x00000002;
constexpr std::uint32_t DISCL_FOREGROUND = 0x00000004;
constexpr std::uint32_t DISCL_BACKGROUND = 0x00000008;
constexpr std::uint32_t DIDEVTYPE_JOYSTICK = 4;
constexpr std::uint32_t DIEDFL_ATTACHEDONLY = 0x00000001;
constexpr int DIENUM_STOP = 0;
constexpr int DIENUM_CONTINUE = 1;
constexpr std::uint32_t DIPH_BYOFFSET = 1;
constexpr std::uint32_t DIJOFS_X = 0;
constexpr std::uint32_t DIJOFS_Y = 4;

// Key codes the game reads (DIK_ codes, positions in the 256-byte snapshot).
constexpr int DIK_ESCAPE = 0x01;
constexpr int DIK_P = 0x19;
constexpr int DIK_SPACE = 0x39;
constexpr int DIK_LEFT = 0xCB;
constexpr int DIK_RIGHT = 0xCD;

// A DirectInput GUID, laid out as Windows lays it out.
struct DiGuid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};
bool operator==(const DiGuid& a, const DiGuid& b);

// The well-known identifiers the input system passes, with the values Windows
// gives them. They are constants of each file that uses them, not linker
// symbols: the Windows build links dxguid, which exports the same names.
constexpr DiGuid GUID_SysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr DiGuid IID_IDirectInputDevice2A = {
    0x5944E682, 0xC92E, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// The data formats the devices ask for; the platform layer maps them to
// c_dfDIKeyboard and c_dfDIJoystick.
enum class DiDataFormat { Keyboard, Joystick };

// DIDEVICEINSTANCEA: 580 bytes on Windows; the fields the joystick path uses.
constexpr std::uint32_t kDeviceInstanceSize = 580;
struct DiDeviceInstance {
    std::uint32_t size;
    DiGuid guidInstance;
    DiGuid guidProduct;
    std::uint32_t devType;
    char instanceName[260];
    char productName[260];
};

// DIPROPRANGE for DIPROP_RANGE.
struct DiPropRange {
    std::uint32_t size;        // 24
    std::uint32_t headerSize;  // 16
    std::uint32_t object;      // DIJOFS_X or DIJOFS_Y
    std::uint32_t how;         // DIPH_BYOFFSET
    std::int32_t min;
    std::int32_t max;
};

// DIJOYSTATE, 80 bytes.
struct DiJoyState {
    std::int32_t lX, lY, lZ;
    std::int32_t lRx, lRy, lRz;
    std::int32_t rglSlider[2];
    std::uint32_t rgdwPOV[4];
    std::uint8_t rgbButtons[32];
};
static_assert(sizeof(DiJoyState) == 80, "DIJOYSTATE is 80 bytes");

class DirectInputDevice2;

class DirectInputDevice {
public:
    virtual DiResult SetDataFormat(DiDataFormat format) = 0;
    virtual DiResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) = 0;
    virtual DiResult Acquire() = 0;
    virtual DiResult Unacquire() = 0;
    virtual DiResult GetDeviceState(std::uint32_t size, void* data) = 0;
    virtual DiResult SetProperty(const DiPropRange* range) = 0;
    // Only IID_IDirectInputDevice2A is asked for.
    virtual DiResult QueryInterface(const DiGuid& iid, DirectInputDevice2** out) = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~DirectInputDevice() = default;
};

class DirectInputDevice2 : public DirectInputDevice {
public:
    virtual DiResult Poll() = 0;

protected:
    ~DirectInputDevice2() = default;
};

using DiEnumDevicesCallback = int (*)(const DiDeviceInstance* instance, void* context);

class DirectInput {
public:
    virtual DiResult CreateDevice(const DiGuid& guid, DirectInputDevice** out) = 0;
    virtual DiResult EnumDevices(std::uint32_t devType, DiEnumDevicesCallback callback,
                                 void* context, std::uint32_t flags) = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~DirectInput() = default;
};
