#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "devices/DirectInputApi.h"
#include "platform/sdl/input/SdlKeyMap.h"

namespace {

// The 105 keys of an ISO PC board, row by row. On Linux the ISO key left of
// Enter arrives as SDL_SCANCODE_BACKSLASH; the key right of left Shift is
// SDL_SCANCODE_NONUSBACKSLASH.
const std::vector<SDL_Scancode> kIsoBoard = {
    SDL_SCANCODE_ESCAPE,
    SDL_SCANCODE_F1,
    SDL_SCANCODE_F2,
    SDL_SCANCODE_F3,
    SDL_SCANCODE_F4,
    SDL_SCANCODE_F5,
    SDL_SCANCODE_F6,
    SDL_SCANCODE_F7,
    SDL_SCANCODE_F8,
    SDL_SCANCODE_F9,
    SDL_SCANCODE_F10,
    SDL_SCANCODE_F11,
    SDL_SCANCODE_F12,
    SDL_SCANCODE_PRINTSCREEN,
    SDL_SCANCODE_SCROLLLOCK,
    SDL_SCANCODE_PAUSE,
    SDL_SCANCODE_GRAVE,
    SDL_SCANCODE_1,
    SDL_SCANCODE_2,
    SDL_SCANCODE_3,
    SDL_SCANCODE_4,
    SDL_SCANCODE_5,
    SDL_SCANCODE_6,
    SDL_SCANCODE_7,
    SDL_SCANCODE_8,
    SDL_SCANCODE_9,
    SDL_SCANCODE_0,
    SDL_SCANCODE_MINUS,
    SDL_SCANCODE_EQUALS,
    SDL_SCANCODE_BACKSPACE,
    SDL_SCANCODE_TAB,
    SDL_SCANCODE_Q,
    SDL_SCANCODE_W,
    SDL_SCANCODE_E,
    SDL_SCANCODE_R,
    SDL_SCANCODE_T,
    SDL_SCANCODE_Y,
    SDL_SCANCODE_U,
    SDL_SCANCODE_I,
    SDL_SCANCODE_O,
    SDL_SCANCODE_P,
    SDL_SCANCODE_LEFTBRACKET,
    SDL_SCANCODE_RIGHTBRACKET,
    SDL_SCANCODE_CAPSLOCK,
    SDL_SCANCODE_A,
    SDL_SCANCODE_S,
    SDL_SCANCODE_D,
    SDL_SCANCODE_F,
    SDL_SCANCODE_G,
    SDL_SCANCODE_H,
    SDL_SCANCODE_J,
    SDL_SCANCODE_K,
    SDL_SCANCODE_L,
    SDL_SCANCODE_SEMICOLON,
    SDL_SCANCODE_APOSTROPHE,
    SDL_SCANCODE_BACKSLASH,
    SDL_SCANCODE_RETURN,
    SDL_SCANCODE_LSHIFT,
    SDL_SCANCODE_NONUSBACKSLASH,
    SDL_SCANCODE_Z,
    SDL_SCANCODE_X,
    SDL_SCANCODE_C,
    SDL_SCANCODE_V,
    SDL_SCANCODE_B,
    SDL_SCANCODE_N,
    SDL_SCANCODE_M,
    SDL_SCANCODE_COMMA,
    SDL_SCANCODE_PERIOD,
    SDL_SCANCODE_SLASH,
    SDL_SCANCODE_RSHIFT,
    SDL_SCANCODE_LCTRL,
    SDL_SCANCODE_LGUI,
    SDL_SCANCODE_LALT,
    SDL_SCANCODE_SPACE,
    SDL_SCANCODE_RALT,
    SDL_SCANCODE_RGUI,
    SDL_SCANCODE_APPLICATION,
    SDL_SCANCODE_RCTRL,
    SDL_SCANCODE_INSERT,
    SDL_SCANCODE_HOME,
    SDL_SCANCODE_PAGEUP,
    SDL_SCANCODE_DELETE,
    SDL_SCANCODE_END,
    SDL_SCANCODE_PAGEDOWN,
    SDL_SCANCODE_UP,
    SDL_SCANCODE_LEFT,
    SDL_SCANCODE_DOWN,
    SDL_SCANCODE_RIGHT,
    SDL_SCANCODE_NUMLOCKCLEAR,
    SDL_SCANCODE_KP_DIVIDE,
    SDL_SCANCODE_KP_MULTIPLY,
    SDL_SCANCODE_KP_MINUS,
    SDL_SCANCODE_KP_7,
    SDL_SCANCODE_KP_8,
    SDL_SCANCODE_KP_9,
    SDL_SCANCODE_KP_PLUS,
    SDL_SCANCODE_KP_4,
    SDL_SCANCODE_KP_5,
    SDL_SCANCODE_KP_6,
    SDL_SCANCODE_KP_1,
    SDL_SCANCODE_KP_2,
    SDL_SCANCODE_KP_3,
    SDL_SCANCODE_KP_ENTER,
    SDL_SCANCODE_KP_0,
    SDL_SCANCODE_KP_PERIOD,
};

TEST(SdlKeyMap, EveryKeyOfAPcBoardHasItsOwnCode) {
    ASSERT_EQ(kIsoBoard.size(), 105u);
    std::set<int> seen;
    for (SDL_Scancode scancode : kIsoBoard) {
        const int dik = dikFromScancode(scancode);
        EXPECT_NE(dik, 0) << SDL_GetScancodeName(scancode);
        EXPECT_TRUE(seen.insert(dik).second) << SDL_GetScancodeName(scancode) << " repeats " << dik;
    }
}

TEST(SdlKeyMap, KeysLandWhereDirectInputPutsThem) {
    // The game's keys.
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_ESCAPE), DIK_ESCAPE);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_P), DIK_P);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_SPACE), DIK_SPACE);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_LEFT), DIK_LEFT);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_RIGHT), DIK_RIGHT);
    // Places, not letters: the key right of Tab is Q on every layout.
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_Q), 0x10);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_A), 0x1E);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_Z), 0x2C);
    // Left and right modifiers are different keys.
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_LSHIFT), 0x2A);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_RSHIFT), 0x36);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_LCTRL), 0x1D);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_RCTRL), 0x9D);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_LALT), 0x38);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_RALT), 0xB8);
    // The keypad digits are not the arrows and navigation keys that share
    // their caps.
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_KP_4), 0x4B);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_KP_8), 0x48);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_UP), 0xC8);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_KP_7), 0x47);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_HOME), 0xC7);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_KP_ENTER), 0x9C);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_RETURN), 0x1C);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_KP_DIVIDE), 0xB5);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_SLASH), 0x35);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_NONUSBACKSLASH), 0x56);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_PRINTSCREEN), 0xB7);
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_PAUSE), 0xC5);
    // The same place under its other name.
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_NONUSHASH), dikFromScancode(SDL_SCANCODE_BACKSLASH));
    // Out of range or unnamed.
    EXPECT_EQ(dikFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(dikFromScancode(static_cast<SDL_Scancode>(-1)), 0);
    EXPECT_EQ(dikFromScancode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
}

TEST(SdlKeyMap, SnapshotMarksExactlyTheKeysDown) {
    Uint8 state[SDL_NUM_SCANCODES] = {};
    state[SDL_SCANCODE_SPACE] = 1;
    state[SDL_SCANCODE_KP_4] = 1;
    state[SDL_SCANCODE_NONUSHASH] = 1;
    std::uint8_t keys[256];
    std::fill(std::begin(keys), std::end(keys), 0x55);  // an older snapshot
    fillDikSnapshot(state, SDL_NUM_SCANCODES, keys);
    for (int code = 0; code < 256; ++code) {
        const bool down = code == DIK_SPACE || code == 0x4B || code == 0x2B;
        EXPECT_EQ(keys[code], down ? 0x80 : 0x00) << "code " << code;
    }

    // A shorter state array is not read past its end.
    fillDikSnapshot(state, SDL_SCANCODE_SPACE, keys);
    EXPECT_EQ(keys[DIK_SPACE], 0);
    fillDikSnapshot(nullptr, 0, keys);
    EXPECT_EQ(keys[0x4B], 0);
}

}  // namespace
