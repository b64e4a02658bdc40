#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "devices/InputContext.h"
#include "devices/InputSystem.h"
#include "support/MockDevices.h"

using namespace ::testing;

namespace {

constexpr std::uint32_t kForegroundShared = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;

// A keyboard read that reports exactly the given keys as down.
auto keysDown(const std::vector<int>& codes) {
    return [codes](std::uint32_t size, void* data) {
        auto* keys = static_cast<std::uint8_t*>(data);
        std::memset(keys, 0, size);
        for (int code : codes) keys[code] = 0x80;
        return DI_OK;
    };
}

class KeyboardInputTest : public MockDevicesTest {
protected:
    void initKeyboard(DiResult dataFormatResult = DI_OK) {
        expectDirectInput();
        EXPECT_CALL(directInput, CreateDevice(GUID_SysKeyboard, _))
            .WillOnce(DoAll(SetArgPointee<1>(&keyboard), Return(DI_OK)));
        EXPECT_CALL(keyboard, SetDataFormat(DiDataFormat::Keyboard))
            .WillOnce(Return(dataFormatResult));
        if (dataFormatResult == DI_OK) {
            EXPECT_CALL(keyboard, SetCooperativeLevel(kWindow, kForegroundShared))
                .WillOnce(Return(DI_OK));
        }
        input.init(kWindow, kInstance, false);
        Mock::VerifyAndClearExpectations(&keyboard);
    }

    // Polls once with the device held, so that the flag is set.
    void acquireWithKeys(const std::vector<int>& codes) {
        EXPECT_CALL(keyboard, Acquire()).WillOnce(Return(DI_OK));
        EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(keysDown(codes));
        ASSERT_EQ(input.poll(), 1);
        Mock::VerifyAndClearExpectations(&keyboard);
    }

    bool anyKeyDown() const {
        for (std::uint8_t key : input.keyboard()->keys()) {
            if (key != 0) return true;
        }
        return false;
    }

    void TearDown() override {
        EXPECT_CALL(keyboard, Unacquire()).Times(AnyNumber()).WillRepeatedly(Return(DI_OK));
        EXPECT_CALL(keyboard, Release()).Times(AnyNumber());
        EXPECT_CALL(directInput, Release()).Times(AnyNumber());
        input.teardown();
    }

    StrictMock<MockDirectInputDevice> keyboard;
    InputSystem input;
};

TEST_F(KeyboardInputTest, KeyboardOnlySetUpLeavesEveryKeyUpAndAcquiresAtFirstPoll) {
    // Strict mocks: no Acquire during set-up, and no joystick enumeration.
    initKeyboard();
    EXPECT_EQ(input.joystick(), nullptr);
    EXPECT_TRUE(input.keyboard()->isAttached());
    EXPECT_FALSE(input.keyboard()->isAcquired());
    EXPECT_FALSE(anyKeyDown());

    InSequence order;
    EXPECT_CALL(keyboard, Acquire()).WillOnce(Return(DI_OK));
    EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(keysDown({DIK_ESCAPE}));
    EXPECT_EQ(input.poll(), 1);
    EXPECT_TRUE(input.isKeyDown(DIK_ESCAPE));
    EXPECT_TRUE(input.keyboard()->isAcquired());

    // Once acquired, a poll is one read and nothing else.
    EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(keysDown({DIK_SPACE, DIK_LEFT}));
    EXPECT_EQ(input.poll(), 1);
    EXPECT_FALSE(input.isKeyDown(DIK_ESCAPE));
    EXPECT_TRUE(input.isKeyDown(DIK_SPACE));
    EXPECT_TRUE(input.isKeyDown(DIK_LEFT));
    EXPECT_FALSE(input.isKeyDown(DIK_RIGHT));
}

TEST_F(KeyboardInputTest, RefusedAcquireFailsThePollAndIsAskedAgainNextTime) {
    initKeyboard();
    EXPECT_CALL(keyboard, Acquire())
        .WillOnce(Return(DIERR_OTHERAPPHASPRIO))
        .WillOnce(Return(S_FALSE_RESULT));
    EXPECT_EQ(input.poll(), 0);
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(input.keyboard()->isAcquired());
    EXPECT_FALSE(anyKeyDown());
    Mock::VerifyAndClearExpectations(&keyboard);

    acquireWithKeys({DIK_P});
    EXPECT_TRUE(input.isKeyDown(DIK_P));
}

TEST_F(KeyboardInputTest, OtherReadFailureKeepsTheLastSnapshot) {
    initKeyboard();
    acquireWithKeys({DIK_RIGHT});
    EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(Return(DIERR_GENERIC));
    EXPECT_EQ(input.poll(), 0);
    EXPECT_TRUE(input.isKeyDown(DIK_RIGHT));
    EXPECT_TRUE(input.keyboard()->isAcquired());
}

class LostKeyboardTest : public KeyboardInputTest,
                         public ::testing::WithParamInterface<DiResult> {};

TEST_P(LostKeyboardTest, IsAcquiredAgainAndReadAfresh) {
    initKeyboard();
    acquireWithKeys({DIK_SPACE, DIK_LEFT});
    {
        InSequence order;
        EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(Return(GetParam()));
        EXPECT_CALL(keyboard, Acquire()).WillOnce(Return(DI_OK));
        EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(keysDown({DIK_RIGHT}));
    }
    EXPECT_EQ(input.poll(), 1);
    EXPECT_FALSE(input.isKeyDown(DIK_SPACE));
    EXPECT_FALSE(input.isKeyDown(DIK_LEFT));
    EXPECT_TRUE(input.isKeyDown(DIK_RIGHT));
    Mock::VerifyAndClearExpectations(&keyboard);

    // Held again: back to a single read per poll.
    EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(keysDown({}));
    EXPECT_EQ(input.poll(), 1);
}

TEST_P(LostKeyboardTest, ThatStaysLostReadsAsNoKeyDownUntilRegained) {
    initKeyboard();
    acquireWithKeys({DIK_SPACE, DIK_ESCAPE});
    {
        InSequence order;
        EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(Return(GetParam()));
        EXPECT_CALL(keyboard, Acquire()).WillOnce(Return(DIERR_OTHERAPPHASPRIO));
    }
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(anyKeyDown());
    EXPECT_FALSE(input.keyboard()->isAcquired());
    Mock::VerifyAndClearExpectations(&keyboard);

    // Still in the background: nothing is read and nothing comes back down.
    EXPECT_CALL(keyboard, Acquire()).WillOnce(Return(DIERR_OTHERAPPHASPRIO));
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(anyKeyDown());
    Mock::VerifyAndClearExpectations(&keyboard);

    acquireWithKeys({DIK_P});
    EXPECT_TRUE(input.isKeyDown(DIK_P));
}

TEST_P(LostKeyboardTest, WhoseRetriedReadFailsReadsAsNoKeyDown) {
    initKeyboard();
    acquireWithKeys({DIK_LEFT});
    {
        InSequence order;
        EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(Return(GetParam()));
        EXPECT_CALL(keyboard, Acquire()).WillOnce(Return(DI_OK));
        EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(Return(DIERR_INPUTLOST));
    }
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(anyKeyDown());
}

INSTANTIATE_TEST_SUITE_P(LostOrNotAcquired, LostKeyboardTest,
                         ::testing::Values(DIERR_INPUTLOST, DIERR_NOTACQUIRED));

TEST_F(KeyboardInputTest, SecondInitOfAnAttachedKeyboardChangesNothing) {
    initKeyboard();
    InputContext other;
    EXPECT_EQ(input.keyboard()->init(&other), 0);
    EXPECT_EQ(input.keyboard()->context(), input.context());
    EXPECT_EQ(input.keyboard()->platformDevice(), &keyboard);

    KeyboardDevice detached;
    EXPECT_EQ(detached.init(nullptr), 0);
    EXPECT_FALSE(detached.isAttached());
}

TEST_F(KeyboardInputTest, WithoutDirectInputEveryPollFailsAndNoKeyIsDown) {
    // A failing create that still scribbles on its out-parameter must not
    // leave that pointer in use.
    EXPECT_CALL(platform, DirectInputCreateA(kInstance, 0x0700u, _))
        .WillOnce(
            DoAll(SetArgPointee<2>(reinterpret_cast<DirectInput*>(0x10)), Return(DIERR_GENERIC)));
    input.init(kWindow, kInstance, false);
    EXPECT_EQ(input.context()->directInput(), nullptr);
    EXPECT_TRUE(input.keyboard()->isAttached());
    EXPECT_EQ(input.keyboard()->platformDevice(), nullptr);
    EXPECT_EQ(input.poll(), 0);
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(anyKeyDown());
    input.teardown();  // nothing held, nothing released
}

TEST_F(KeyboardInputTest, TeardownReleasesTheKeyboardBeforeDirectInput) {
    initKeyboard();
    acquireWithKeys({DIK_SPACE});
    {
        InSequence order;
        EXPECT_CALL(keyboard, Unacquire()).WillOnce(Return(DI_OK));
        EXPECT_CALL(keyboard, Release());
        EXPECT_CALL(directInput, Release());
    }
    input.teardown();
    EXPECT_EQ(input.keyboard(), nullptr);
    EXPECT_EQ(input.context(), nullptr);
    EXPECT_FALSE(input.isKeyDown(DIK_SPACE));
    EXPECT_EQ(input.poll(), 0);
    Mock::VerifyAndClearExpectations(&keyboard);
    Mock::VerifyAndClearExpectations(&directInput);
    input.teardown();  // a second teardown finds nothing to release
}

TEST_F(KeyboardInputTest, KeyboardWhoseSetUpFailedPartwayIsStillReleased) {
    initKeyboard(DIERR_GENERIC);
    EXPECT_EQ(input.keyboard()->platformDevice(), &keyboard);
    InSequence order;
    EXPECT_CALL(keyboard, Release());
    EXPECT_CALL(directInput, Release());
    input.teardown();
}

TEST_F(KeyboardInputTest, DestroyingTheInputSystemReleasesEverything) {
    auto* owned = new InputSystem;
    expectDirectInput();
    EXPECT_CALL(directInput, CreateDevice(GUID_SysKeyboard, _))
        .WillOnce(DoAll(SetArgPointee<1>(&keyboard), Return(DI_OK)));
    EXPECT_CALL(keyboard, SetDataFormat(_)).WillOnce(Return(DI_OK));
    EXPECT_CALL(keyboard, SetCooperativeLevel(_, _)).WillOnce(Return(DI_OK));
    owned->init(kWindow, kInstance, false);

    EXPECT_CALL(keyboard, Release());
    EXPECT_CALL(directInput, Release());
    delete owned;
    Mock::VerifyAndClearExpectations(&keyboard);
    Mock::VerifyAndClearExpectations(&directInput);
}

}  // namespace
