// The Windows program's entry point: puts the Windows display, devices and
// shell under the core and runs it.

#include "app/EntryPoint.h"
#include "devices/DevicePlatform.h"
#include "display/DisplayPlatform.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32DevicePlatform.h"
#include "platform/win32/Win32DisplayPlatform.h"
#include "platform/win32/Win32ShellPlatform.h"

// The parameters keep the names <winbase.h> declares them with.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int nShowCmd) {
    installDisplayPlatform(&win32DisplayPlatform());
    installDevicePlatform(&win32DevicePlatform());
    installShellPlatform(&win32ShellPlatform());
    return programMain(toInstanceHandle(hInstance), nShowCmd);
}
