#pragma once

// The devices' seam and the DirectX headers in one file. dinput.h declares
// GUID_SysKeyboard and IID_IDirectInputDevice2A with Windows' own GUID type,
// which the seam's declarations of the same names would contradict; the
// seam's are moved aside here (this layer passes the GUIDs it is given and
// never names the seam's copies). The seam's other constants are captured
// before the DirectX macros of the same names replace them, so that
// Win32DevicePlatform.cpp can check them against the system's values.

#define GUID_SysKeyboard SeamGuidSysKeyboard
#define IID_IDirectInputDevice2A SeamIidDirectInputDevice2A
#include "devices/DevicePlatform.h"
#include "devices/DirectInputApi.h"
#include "devices/DirectSoundApi.h"
#undef GUID_SysKeyboard
#undef IID_IDirectInputDevice2A

namespace seam {
constexpr DiResult kDiOk = DI_OK;
constexpr DiResult kInputLost = DIERR_INPUTLOST;
constexpr DiResult kNotAcquired = DIERR_NOTACQUIRED;
constexpr DiResult kOtherAppHasPrio = DIERR_OTHERAPPHASPRIO;
constexpr DiResult kGeneric = DIERR_GENERIC;
constexpr DiResult kNoInterface = DIERR_NOINTERFACE;
constexpr DiResult kNoEffect = DI_NOEFFECT;
constexpr DiResult kInvalidParam = DIERR_INVALIDPARAM;
constexpr DiResult kOutOfMemory = DIERR_OUTOFMEMORY;
constexpr DiResult kUnsupported = DIERR_UNSUPPORTED;
constexpr DiResult kDeviceNotRegistered = DIERR_DEVICENOTREG;
constexpr DiResult kUnplugged = DIERR_UNPLUGGED;
constexpr DiResult kOldVersion = DIERR_OLDDIRECTINPUTVERSION;
constexpr DiResult kBetaVersion = DIERR_BETADIRECTINPUTVERSION;
constexpr std::uint32_t kNonExclusive = DISCL_NONEXCLUSIVE;
constexpr std::uint32_t kForeground = DISCL_FOREGROUND;
constexpr std::uint32_t kJoystickType = DIDEVTYPE_JOYSTICK;
constexpr std::uint32_t kAttachedOnly = DIEDFL_ATTACHEDONLY;
constexpr int kEnumStop = DIENUM_STOP;
constexpr int kEnumContinue = DIENUM_CONTINUE;
constexpr std::uint32_t kByOffset = DIPH_BYOFFSET;
constexpr std::uint32_t kJoyOffsetX = DIJOFS_X;
constexpr std::uint32_t kJoyOffsetY = DIJOFS_Y;
constexpr int kKeyEscape = DIK_ESCAPE;
constexpr int kKeyP = DIK_P;
constexpr int kKeySpace = DIK_SPACE;
constexpr int kKeyLeft = DIK_LEFT;
constexpr int kKeyRight = DIK_RIGHT;
constexpr DsResult kDsOk = DS_OK;
constexpr DsResult kNoDriver = DSERR_NODRIVER;
constexpr DsResult kDsInvalidParam = DSERR_INVALIDPARAM;
constexpr std::uint32_t kNormalLevel = DSSCL_NORMAL;
}  // namespace seam

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
// windows.h first: dinput.h and dsound.h build on its types.
#include <dinput.h>
#include <dsound.h>
