#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "devices/InputContext.h"
#include "devices/InputSystem.h"
#include "devices/JoystickDevice.h"
#include "support/MockDevices.h"

using namespace ::testing;

namespace {

DiDeviceInstance joystickRecord(std::uint8_t tag) {
    DiDeviceInstance record{};
    record.size = sizeof record;
    record.guidInstance = {0x1000u + tag, 1, 2, {tag, 0, 0, 0, 0, 0, 0, 0}};
    record.devType = DIDEVTYPE_JOYSTICK;
    return record;
}

auto rangeFor(std::uint32_t axis) {
    return Pointee(AllOf(Field(&DiPropRange::size, 24u), Field(&DiPropRange::headerSize, 16u),
                         Field(&DiPropRange::object, axis), Field(&DiPropRange::how, DIPH_BYOFFSET),
                         Field(&DiPropRange::min, -1000), Field(&DiPropRange::max, 1000)));
}

auto joyState(std::int32_t x, std::int32_t y, std::initializer_list<int> pressed) {
    return [=](std::uint32_t size, void* data) {
        EXPECT_EQ(size, sizeof(DiJoyState));
        DiJoyState state{};
        state.lX = x;
        state.lY = y;
        for (int button : pressed) state.rgbButtons[button] = 0x80;
        std::memcpy(data, &state, sizeof state);
        return DI_OK;
    };
}

class JoystickDeviceTest : public MockDevicesTest {
protected:
    void SetUp() override {
        expectDirectInput();
        ASSERT_EQ(context.create(kInstance, kWindow), 1);
    }

    // The enumeration offers the given records, in order.
    void offer(const std::vector<DiDeviceInstance>& records, DiResult result = DI_OK) {
        EXPECT_CALL(directInput, EnumDevices(DIDEVTYPE_JOYSTICK, _, &context, DIEDFL_ATTACHEDONLY))
            .WillOnce(Invoke([records, result](std::uint32_t, DiEnumDevicesCallback callback,
                                               void* ref, std::uint32_t) {
                for (const auto& record : records) {
                    if (callback(&record, ref) == DIENUM_STOP) break;
                }
                return result;
            }));
    }

    void expectSetUpAfterQuery() {
        EXPECT_CALL(device2, SetDataFormat(DiDataFormat::Joystick)).WillOnce(Return(DI_OK));
        EXPECT_CALL(device2, SetCooperativeLevel(kWindow, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND))
            .WillOnce(Return(DI_OK));
        EXPECT_CALL(device2, SetProperty(rangeFor(DIJOFS_X))).WillOnce(Return(DI_OK));
        EXPECT_CALL(device2, SetProperty(rangeFor(DIJOFS_Y))).WillOnce(Return(DI_OK));
    }

    void attach() {
        InSequence order;
        offer({joystickRecord(1)});
        EXPECT_CALL(directInput, CreateDevice(joystickRecord(1).guidInstance, _))
            .WillOnce(DoAll(SetArgPointee<1>(&first), Return(DI_OK)));
        EXPECT_CALL(first, QueryInterface(IID_IDirectInputDevice2A, _))
            .WillOnce(DoAll(SetArgPointee<1>(&device2), Return(DI_OK)));
        EXPECT_CALL(first, Release());
        expectSetUpAfterQuery();
        ASSERT_EQ(joystick.init(&context), 1);
        Mock::VerifyAndClearExpectations(&device2);
    }

    void acquireWithState(std::int32_t x, std::int32_t y, std::initializer_list<int> pressed) {
        InSequence order;
        EXPECT_CALL(device2, Acquire()).WillOnce(Return(DI_OK));
        EXPECT_CALL(device2, Poll()).WillOnce(Return(DI_OK));
        EXPECT_CALL(device2, GetDeviceState(80u, _)).WillOnce(joyState(x, y, pressed));
        ASSERT_EQ(joystick.poll(), 1);
        Mock::VerifyAndClearExpectations(&device2);
    }

    void TearDown() override {
        EXPECT_CALL(device2, Unacquire()).Times(AnyNumber()).WillRepeatedly(Return(DI_OK));
        EXPECT_CALL(device2, Release()).Times(AnyNumber());
        EXPECT_CALL(directInput, Release()).Times(AnyNumber());
        joystick.release();
        context.release();
    }

    StrictMock<MockDirectInputDevice> first;
    StrictMock<MockDirectInputDevice2> device2;
    InputContext context;
    JoystickDevice joystick;
};

TEST_F(JoystickDeviceTest, InitKeepsTheSecondJoystickOfferedAndSetsBothAxisRanges) {
    InSequence order;
    offer({joystickRecord(1), joystickRecord(2), joystickRecord(3)});
    EXPECT_CALL(directInput, CreateDevice(joystickRecord(2).guidInstance, _))
        .WillOnce(DoAll(SetArgPointee<1>(&first), Return(DI_OK)));
    EXPECT_CALL(first, QueryInterface(IID_IDirectInputDevice2A, _))
        .WillOnce(DoAll(SetArgPointee<1>(&device2), Return(DI_OK)));
    EXPECT_CALL(first, Release());
    expectSetUpAfterQuery();

    EXPECT_EQ(joystick.init(&context), 1);
    EXPECT_EQ(context.enumerationCount(), 2);
    EXPECT_EQ(joystick.platformDevice2(), &device2);
    EXPECT_EQ(joystick.platformDevice(), nullptr);
    EXPECT_FALSE(joystick.isAcquired());
}

TEST_F(JoystickDeviceTest, NoJoystickOrFailedEnumerationCreatesNoDevice) {
    offer({});
    EXPECT_EQ(joystick.init(&context), 0);
    EXPECT_TRUE(joystick.isAttached());
    EXPECT_EQ(joystick.poll(), 0);

    JoystickDevice other;
    offer({joystickRecord(1)}, DIERR_GENERIC);
    EXPECT_EQ(other.init(&context), 0);
    EXPECT_EQ(other.poll(), 0);
}

TEST_F(JoystickDeviceTest, FailedQueryStillReleasesTheFirstInterface) {
    InSequence order;
    offer({joystickRecord(1)});
    EXPECT_CALL(directInput, CreateDevice(_, _))
        .WillOnce(DoAll(SetArgPointee<1>(&first), Return(DI_OK)));
    EXPECT_CALL(first, QueryInterface(IID_IDirectInputDevice2A, _))
        .WillOnce(Return(DIERR_NOINTERFACE));
    EXPECT_CALL(first, Release());
    EXPECT_EQ(joystick.init(&context), 0);
    EXPECT_EQ(joystick.platformDevice2(), nullptr);
    EXPECT_EQ(joystick.poll(), 0);
}

TEST_F(JoystickDeviceTest, RefusedAxisRangeReleasesTheDevice) {
    InSequence order;
    offer({joystickRecord(1)});
    EXPECT_CALL(directInput, CreateDevice(_, _))
        .WillOnce(DoAll(SetArgPointee<1>(&first), Return(DI_OK)));
    EXPECT_CALL(first, QueryInterface(_, _))
        .WillOnce(DoAll(SetArgPointee<1>(&device2), Return(DI_OK)));
    EXPECT_CALL(first, Release());
    EXPECT_CALL(device2, SetDataFormat(_)).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, SetCooperativeLevel(_, _)).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, SetProperty(rangeFor(DIJOFS_X))).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, SetProperty(rangeFor(DIJOFS_Y))).WillOnce(Return(DIERR_GENERIC));
    EXPECT_CALL(device2, Release());
    EXPECT_EQ(joystick.init(&context), 0);
    EXPECT_EQ(joystick.platformDevice2(), nullptr);
    EXPECT_EQ(joystick.poll(), 0);
}

TEST_F(JoystickDeviceTest, SecondInitOfAnAttachedJoystickChangesNothing) {
    attach();
    EXPECT_EQ(joystick.init(&context), 0);
    EXPECT_EQ(joystick.platformDevice2(), &device2);
}

TEST_F(JoystickDeviceTest, PollReadsAxesAndTwelveButtons) {
    attach();
    acquireWithState(-1000, 250, {0, 11, 12});
    EXPECT_EQ(joystick.x(), -1000);
    EXPECT_EQ(joystick.y(), 250);
    EXPECT_TRUE(joystick.button(0));
    EXPECT_FALSE(joystick.button(1));
    EXPECT_TRUE(joystick.button(11));
    EXPECT_FALSE(joystick.button(12));

    // Acquired: poll and read only.
    InSequence order;
    EXPECT_CALL(device2, Poll()).WillOnce(Return(1));  // "no effect" is not a failure
    EXPECT_CALL(device2, GetDeviceState(80u, _)).WillOnce(joyState(0, 1000, {}));
    EXPECT_EQ(joystick.poll(), 1);
    EXPECT_EQ(joystick.y(), 1000);
    EXPECT_FALSE(joystick.button(0));
}

TEST_F(JoystickDeviceTest, FailedPollOrReadKeepsTheLastState) {
    attach();
    acquireWithState(300, -300, {4});
    EXPECT_CALL(device2, Poll()).WillOnce(Return(DIERR_GENERIC));
    EXPECT_EQ(joystick.poll(), 0);
    EXPECT_CALL(device2, Poll()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, GetDeviceState(80u, _)).WillOnce(Return(DIERR_GENERIC));
    EXPECT_EQ(joystick.poll(), 0);
    EXPECT_EQ(joystick.x(), 300);
    EXPECT_EQ(joystick.y(), -300);
    EXPECT_TRUE(joystick.button(4));
}

TEST_F(JoystickDeviceTest, LostJoystickIsAcquiredAgainAndReadOnceMore) {
    attach();
    acquireWithState(10, 10, {1});
    InSequence order;
    EXPECT_CALL(device2, Poll()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, GetDeviceState(80u, _)).WillOnce(Return(DIERR_INPUTLOST));
    EXPECT_CALL(device2, Acquire()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, Poll()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, GetDeviceState(80u, _)).WillOnce(joyState(-20, 30, {2}));
    EXPECT_EQ(joystick.poll(), 1);
    EXPECT_EQ(joystick.x(), -20);
    EXPECT_FALSE(joystick.button(1));
    EXPECT_TRUE(joystick.button(2));
}

TEST_F(JoystickDeviceTest, LostJoystickThatCannotBeRegainedHoldsNothingDown) {
    attach();
    acquireWithState(700, -700, {3});
    {
        InSequence order;
        EXPECT_CALL(device2, Poll()).WillOnce(Return(DIERR_INPUTLOST));
        EXPECT_CALL(device2, Acquire()).WillOnce(Return(DIERR_OTHERAPPHASPRIO));
    }
    EXPECT_EQ(joystick.poll(), 0);
    EXPECT_FALSE(joystick.isAcquired());
    EXPECT_EQ(joystick.x(), 0);
    EXPECT_EQ(joystick.y(), 0);
    EXPECT_FALSE(joystick.button(3));
}

TEST_F(JoystickDeviceTest, ReleaseUnacquiresAndReleasesTheSecondInterface) {
    attach();
    acquireWithState(0, 0, {});
    InSequence order;
    EXPECT_CALL(device2, Unacquire()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, Release());
    EXPECT_EQ(joystick.release(), 1);
    EXPECT_FALSE(joystick.isAttached());
    EXPECT_EQ(joystick.platformDevice2(), nullptr);
    Mock::VerifyAndClearExpectations(&device2);
    EXPECT_EQ(joystick.release(), 1);  // nothing left to release
}

TEST_F(JoystickDeviceTest, EnumerationCopiesNoMoreThanTheRecordHolds) {
    // A platform record longer than ours (Windows' is 580 bytes) must not
    // spill over the fields that follow the record.
    struct {
        DiDeviceInstance record;
        unsigned char tail[64];
    } offered;
    std::memset(&offered, 0xAB, sizeof offered);
    offered.record.size = kDeviceInstanceSize + 40;
    EXPECT_EQ(InputContext::enumJoystick(&offered.record, &context), DIENUM_CONTINUE);
    EXPECT_EQ(context.enumerationCount(), 1);
    EXPECT_EQ(context.joystickRecord().devType, 0xABABABABu);

    EXPECT_EQ(InputContext::enumJoystick(nullptr, &context), DIENUM_STOP);
    EXPECT_EQ(context.enumerationCount(), 1);
}

using InputSystemJoystick = MockDevicesTest;

TEST_F(InputSystemJoystick, JoystickIsCreatedAfterTheKeyboardAndPolledBeforeIt) {
    StrictMock<MockDirectInputDevice> keyboard;
    StrictMock<MockDirectInputDevice> first;
    StrictMock<MockDirectInputDevice2> device2;
    InputSystem input;

    InSequence order;
    EXPECT_CALL(platform, DirectInputCreateA(_, _, _))
        .WillOnce(DoAll(SetArgPointee<2>(&directInput), Return(DI_OK)));
    EXPECT_CALL(directInput, CreateDevice(GUID_SysKeyboard, _))
        .WillOnce(DoAll(SetArgPointee<1>(&keyboard), Return(DI_OK)));
    EXPECT_CALL(keyboard, SetDataFormat(DiDataFormat::Keyboard)).WillOnce(Return(DI_OK));
    EXPECT_CALL(keyboard, SetCooperativeLevel(_, _)).WillOnce(Return(DI_OK));
    EXPECT_CALL(directInput, EnumDevices(DIDEVTYPE_JOYSTICK, _, _, _))
        .WillOnce(
            Invoke([](std::uint32_t, DiEnumDevicesCallback callback, void* ref, std::uint32_t) {
                const DiDeviceInstance record = joystickRecord(7);
                callback(&record, ref);
                return DI_OK;
            }));
    EXPECT_CALL(directInput, CreateDevice(joystickRecord(7).guidInstance, _))
        .WillOnce(DoAll(SetArgPointee<1>(&first), Return(DI_OK)));
    EXPECT_CALL(first, QueryInterface(_, _))
        .WillOnce(DoAll(SetArgPointee<1>(&device2), Return(DI_OK)));
    EXPECT_CALL(first, Release());
    EXPECT_CALL(device2, SetDataFormat(DiDataFormat::Joystick)).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, SetCooperativeLevel(_, _)).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, SetProperty(_)).Times(2).WillRepeatedly(Return(DI_OK));
    input.init(kWindow, kInstance, true);
    ASSERT_NE(input.joystick(), nullptr);

    EXPECT_CALL(device2, Acquire()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, Poll()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, GetDeviceState(80u, _)).WillOnce(Return(DI_OK));
    EXPECT_CALL(keyboard, Acquire()).WillOnce(Return(DI_OK));
    EXPECT_CALL(keyboard, GetDeviceState(256u, _)).WillOnce(Return(DIERR_GENERIC));
    EXPECT_EQ(input.poll(), 0);  // the keyboard's result, not the joystick's

    EXPECT_CALL(device2, Unacquire()).WillOnce(Return(DI_OK));
    EXPECT_CALL(device2, Release());
    EXPECT_CALL(keyboard, Unacquire()).WillOnce(Return(DI_OK));
    EXPECT_CALL(keyboard, Release());
    EXPECT_CALL(directInput, Release());
    input.teardown();
}

}  // namespace
