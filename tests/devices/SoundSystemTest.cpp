#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "devices/SoundSystem.h"
#include "support/MockDevices.h"

using namespace ::testing;

namespace {

const auto* kDevice = reinterpret_cast<const SoundDeviceGuid*>(0x3000);

class SoundSystemTest : public MockDevicesTest {
protected:
    StrictMock<MockDirectSound> firstSound;
    StrictMock<MockDirectSound> secondSound;
};

TEST_F(SoundSystemTest, CreateOpensTheDeviceAndReleaseClosesIt) {
    InSequence order;
    EXPECT_CALL(platform, DirectSoundCreate(kDevice, _))
        .WillOnce(DoAll(SetArgPointee<1>(&firstSound), Return(DS_OK)));
    EXPECT_CALL(firstSound, SetCooperativeLevel(kWindow, DSSCL_NORMAL)).WillOnce(Return(DS_OK));
    SoundSystem sound;
    EXPECT_EQ(sound.create(kWindow, kDevice, DSSCL_NORMAL), 1);
    EXPECT_EQ(sound.directSound(), &firstSound);
    EXPECT_EQ(sound.window(), kWindow);
    EXPECT_EQ(sound.device(), kDevice);

    EXPECT_CALL(firstSound, Release());
    EXPECT_EQ(sound.release(), 1);
    EXPECT_EQ(sound.directSound(), nullptr);
    EXPECT_EQ(sound.release(), 1);  // strict mocks: no second Release
}

TEST_F(SoundSystemTest, SecondCreateReleasesTheFirstObjectBeforeMakingTheNext) {
    SoundSystem sound;
    InSequence order;
    EXPECT_CALL(platform, DirectSoundCreate(nullptr, _))
        .WillOnce(DoAll(SetArgPointee<1>(&firstSound), Return(DS_OK)));
    EXPECT_CALL(firstSound, SetCooperativeLevel(_, _)).WillOnce(Return(DS_OK));
    EXPECT_CALL(firstSound, Release());
    EXPECT_CALL(platform, DirectSoundCreate(nullptr, _))
        .WillOnce(DoAll(SetArgPointee<1>(&secondSound), Return(DS_OK)));
    EXPECT_CALL(secondSound, SetCooperativeLevel(_, _)).WillOnce(Return(DS_OK));
    EXPECT_EQ(sound.create(kWindow, nullptr, DSSCL_NORMAL), 1);
    EXPECT_EQ(sound.create(kWindow, nullptr, DSSCL_NORMAL), 1);
    EXPECT_EQ(sound.directSound(), &secondSound);

    EXPECT_CALL(secondSound, Release());  // the destructor releases what is held
}

TEST_F(SoundSystemTest, ReleaseWithNothingHeldSucceedsWithoutPlatformCalls) {
    SoundSystem sound;
    EXPECT_EQ(sound.release(), 1);
}

TEST_F(SoundSystemTest, MissingSoundDeviceLeavesNothingHeld) {
    // Even if the failing create writes its out-parameter.
    EXPECT_CALL(platform, DirectSoundCreate(nullptr, _))
        .WillOnce(DoAll(SetArgPointee<1>(&firstSound), Return(DSERR_NODRIVER)));
    SoundSystem sound;
    EXPECT_EQ(sound.create(kWindow, nullptr, DSSCL_NORMAL), 0);
    EXPECT_EQ(sound.directSound(), nullptr);
    EXPECT_EQ(sound.release(), 1);
}

TEST_F(SoundSystemTest, RefusedCooperativeLevelKeepsTheObjectForShutdown) {
    EXPECT_CALL(platform, DirectSoundCreate(nullptr, _))
        .WillOnce(DoAll(SetArgPointee<1>(&firstSound), Return(DS_OK)));
    EXPECT_CALL(firstSound, SetCooperativeLevel(kWindow, DSSCL_NORMAL))
        .WillOnce(Return(DSERR_NODRIVER));
    SoundSystem sound;
    EXPECT_EQ(sound.create(kWindow, nullptr, DSSCL_NORMAL), 0);
    EXPECT_EQ(sound.directSound(), &firstSound);
    EXPECT_EQ(sound.window(), nullptr);
    EXPECT_CALL(firstSound, Release());
    sound.release();
    Mock::VerifyAndClearExpectations(&firstSound);
}

}  // namespace
