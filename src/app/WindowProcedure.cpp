#include "app/WindowProcedure.h"

#include "app/Application.h"
#include "base/ShellPlatform.h"

std::intptr_t windowProcedure(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
    ShellPlatform& shell = shellPlatform();
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            // The run loop sees WM_QUIT at its next pass and ends the game.
            shell.PostQuitMessage(0);
            return 0;
        case WM_ACTIVATEAPP:
            // wParam is false when another program takes the foreground and
            // true when this one gets it back.
            if (wParam == 0) {
                application().foregroundLost();
            } else {
                application().foregroundRegained();
            }
            return 0;
        case WM_PAINT:
            // Validates the window; every picture goes through the display.
            shell.BeginPaint(window);
            shell.EndPaint(window);
            return 0;
        default:
            return shell.DefWindowProcA(window, message, wParam, lParam);
    }
}
