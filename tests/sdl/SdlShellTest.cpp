// The SDL shell taking SDL's events in its message pump and handing the run
// loop the window messages it made of them. Runs on SDL's dummy video driver.

#include <SDL.h>
#include <gtest/gtest.h>

#include "base/ShellPlatform.h"
#include "platform/sdl/shell/SdlShell.h"

namespace {

class SdlShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
        installShellPlatform(&shell);
        window = shell.createMainWindow("Zorbanix", nullptr);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        // Whatever making the window queued is not what these tests look at.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    void TearDown() override {
        installShellPlatform(nullptr);
        if (window) SDL_DestroyWindow(reinterpret_cast<SDL_Window*>(window));
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }

    void pushWindowEvent(std::uint8_t what) {
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        event.window.windowID = SDL_GetWindowID(reinterpret_cast<SDL_Window*>(window));
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void pushEvent(std::uint32_t type) {
        SDL_Event event = {};
        event.type = type;
        SDL_PushEvent(&event);
    }

    // The next message, or WM_NULL with a null window when there is none.
    ShellMessage next() {
        ShellMessage message = {nullptr, 0xFFFF, 0, 0};
        if (!shell.PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            return {nullptr, WM_NULL, 0, 0};
        }
        return message;
    }

    SdlWindowOptions options;
    SdlShell shell{options};
    WindowHandle window = nullptr;
};

TEST_F(SdlShellTest, QuitAndCloseDestroyTheWindowWhoseProcedureThenPostsQuitWithZero) {
    for (bool close : {false, true}) {
        SCOPED_TRACE(close ? "window close" : "quit");
        if (close) {
            pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
        } else {
            pushEvent(SDL_QUIT);
        }
        ShellMessage destroy = next();
        EXPECT_EQ(destroy.message, WM_DESTROY);
        EXPECT_EQ(destroy.window, window);

        shell.DispatchMessageA(&destroy);
        ShellMessage quit = next();
        EXPECT_EQ(quit.message, WM_QUIT);
        EXPECT_EQ(quit.wParam, 0u);
        // The quit request comes out once.
        EXPECT_EQ(next().window, nullptr);
        EXPECT_FALSE(shell.PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
    }
    // A window's close is no request of its own (SDL_QUIT follows it).
    EXPECT_FALSE(shell.leaving());
    // The second request: play's pump leaves the time alone, while each pump
    // of the screens around play moves it past any screen's wait.
    pushEvent(SDL_QUIT);
    const std::uint32_t before = shell.GetTickCount();
    next();
    EXPECT_TRUE(shell.leaving());
    EXPECT_LT(shell.GetTickCount() - before, 1000u);
    shell.deliverSentMessages();
    EXPECT_GE(shell.GetTickCount() - before, SdlShell::kLeavingSkipMs);
}

TEST_F(SdlShellTest, WindowEventsBecomeMessagesOneAtATime) {
    pushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    pushEvent(SDL_USEREVENT);

    ShellMessage paint = next();
    EXPECT_EQ(paint.message, WM_PAINT);
    EXPECT_EQ(paint.window, window);
    shell.DispatchMessageA(&paint);  // paints nothing, posts nothing
    ShellMessage focus = next();
    EXPECT_EQ(focus.message, WM_ACTIVATEAPP);
    EXPECT_EQ(focus.wParam, 1u);
    EXPECT_EQ(focus.window, window);
    shell.DispatchMessageA(&focus);
    // The windowless window never has the keyboard: the loss is real.
    ShellMessage lost = next();
    EXPECT_EQ(lost.message, WM_ACTIVATEAPP);
    EXPECT_EQ(lost.wParam, 0u);
    // Events that are no window's make no message.
    EXPECT_EQ(next().window, nullptr);
    EXPECT_FALSE(shell.PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(SdlShellTest, APostedQuitComesBeforeMessagesStillQueuedWithItsCode) {
    pushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    shell.PostQuitMessage(3);

    ShellMessage quit = next();
    EXPECT_EQ(quit.message, WM_QUIT);
    EXPECT_EQ(quit.wParam, 3u);
    EXPECT_EQ(next().message, WM_PAINT);  // still there
}

}  // namespace
