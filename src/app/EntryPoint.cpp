#include "app/EntryPoint.h"

#include "app/Application.h"
#include "base/ShellPlatform.h"

namespace {

// A program that could not make its window or take the screen shows nothing,
// but its exit code says it failed: a game that never started must not look
// like one that ended normally.
constexpr int kStartFailed = 1;

// The program's exit code: the code given with WM_QUIT when that message
// ended the game. A game ended from inside (Escape, a lost game) exits with 0
// even when the pump's last message was something else, so that a keystroke's
// wParam never leaks out as an error code.
int exitCodeOf(const ShellMessage& last) {
    if (last.message != WM_QUIT) return 0;
    return static_cast<int>(static_cast<std::intptr_t>(last.wParam));
}

}  // namespace

int programMain(InstanceHandle instance, int showCommand) {
    ShellPlatform& shell = shellPlatform();
    WindowHandle window = shell.createMainWindow("Zorbanix", instance);
    if (!window) return kStartFailed;

    Application& app = application();
    if (!app.initialize(window, instance)) {
        // Nothing has been shown yet, and nothing is shown about the failure.
        app.shutdown();
        return kStartFailed;
    }

    shell.ShowWindow(window, showCommand);
    shell.UpdateWindow(window);
    shell.SetFocus(window);
    shell.ShowCursor(false);

    ShellMessage message = {};
    app.run(&message);
    app.shutdown();
    return exitCodeOf(message);
}
