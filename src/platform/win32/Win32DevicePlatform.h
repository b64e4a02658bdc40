#pragma once

class DevicePlatform;

// DirectInput 7 and DirectSound themselves. WindowHandle and InstanceHandle
// are the HWND and HINSTANCE, cast.
DevicePlatform& win32DevicePlatform();
