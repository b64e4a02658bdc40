// The window procedure and the game clock.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/WindowProcedure.h"
#include "base/GameClock.h"
#include "base/ShellPlatform.h"
#include "platform/headless/HeadlessShell.h"
#include "support/ScopedPlatform.h"

namespace {

using ::testing::Return;
using ::testing::StrictMock;

class MockShell : public ShellPlatform {
public:
    MOCK_METHOD(WindowHandle, createMainWindow, (const char*, InstanceHandle), (override));
    MOCK_METHOD(void, ShowWindow, (WindowHandle, int), (override));
    MOCK_METHOD(void, UpdateWindow, (WindowHandle), (override));
    MOCK_METHOD(void, SetFocus, (WindowHandle), (override));
    MOCK_METHOD(int, ShowCursor, (bool), (override));
    MOCK_METHOD(bool, PeekMessageA,
                (ShellMessage*, WindowHandle, std::uint32_t, std::uint32_t, std::uint32_t),
                (override));
    MOCK_METHOD(void, TranslateMessage, (const ShellMessage*), (override));
    MOCK_METHOD(void, DispatchMessageA, (const ShellMessage*), (override));
    MOCK_METHOD(std::uint32_t, GetTickCount, (), (override));
    MOCK_METHOD(void, PostQuitMessage, (int), (override));
    MOCK_METHOD(void, BeginPaint, (WindowHandle), (override));
    MOCK_METHOD(void, EndPaint, (WindowHandle), (override));
    MOCK_METHOD(std::intptr_t, DefWindowProcA,
                (WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t), (override));
};

TEST(WindowProcedure, HandlesItsThreeMessagesAndPassesTheRestOn) {
    StrictMock<MockShell> shell;
    ScopedShellPlatform installed(&shell);
    WindowHandle window = reinterpret_cast<WindowHandle>(&shell);

    EXPECT_EQ(windowProcedure(window, WM_CREATE, 1, 2), 0);

    EXPECT_CALL(shell, PostQuitMessage(0));
    EXPECT_EQ(windowProcedure(window, WM_DESTROY, 1, 2), 0);

    {
        ::testing::InSequence order;
        EXPECT_CALL(shell, BeginPaint(window));
        EXPECT_CALL(shell, EndPaint(window));
    }
    EXPECT_EQ(windowProcedure(window, WM_PAINT, 0, 0), 0);

    EXPECT_CALL(shell, DefWindowProcA(window, 0x0100u, 27u, 5)).WillOnce(Return(42));
    EXPECT_EQ(windowProcedure(window, 0x0100, 27, 5), 42);
}

TEST(GameClock, GameTimeIsTheSignedDifferenceFromTheStartTickAcrossTheWrap) {
    HeadlessShell shell;
    ScopedShellPlatform installed(&shell);
    const std::uint32_t start = startTick();

    shell.setTickCount(start + 1234u);
    EXPECT_EQ(gameTime(), 1234);
    EXPECT_EQ(rawTickCount(), start + 1234u);
    shell.setTickCount(start - 16u);
    EXPECT_EQ(gameTime(), -16);
    shell.setTickCount(start + 0x7FFFFFFFu);
    EXPECT_EQ(gameTime(), INT32_MAX);
    shell.setTickCount(start + 0x80000000u);
    EXPECT_EQ(gameTime(), INT32_MIN);
    // The counter itself wraps past 2^32 while the game time keeps counting.
    shell.setTickCount(0xFFFFFFF0u);
    const std::int32_t before = gameTime();
    shell.setTickCount(0x00000010u);
    EXPECT_EQ(gameTime() - before, 32);
}

}  // namespace
