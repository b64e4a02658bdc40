#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "GameRig.h"

namespace {

struct Seen {
    std::int32_t time;
    bool bird;
    bool presents;
    bool title;
    bool gameOver;
};

bool shows(const CapturedFrame& frame, int x, int y, std::uint32_t rgb) {
    return frame.raw(x, y) == frame.rawOf(rgb);
}

// A rig on 20 ms frames that notes what every frame showed.
HeadlessOptions noting(std::vector<Seen>& seen) {
    HeadlessOptions options = rigOptions(20);
    options.onFrame = [&seen](const CapturedFrame& f) {
        seen.push_back({f.gameTime, shows(f, 250, 160, pictures::kBird),
                        shows(f, 260, 356, pictures::kPresents),
                        shows(f, 270, 200, pictures::kTitle),
                        shows(f, 260, 300, pictures::kGameOver)});
    };
    return options;
}

}  // namespace

TEST(Screens, IntroRunsPastThreeSecondsWithThePresentsLineAfterTwo) {
    std::vector<Seen> seen;
    GameRig rig(noting(seen));
    rig.platform.press(DIK_SPACE, 4000, 4010);
    rig.game.runIntro();

    // Each frame is drawn at the time of the flip before it, 20 ms earlier.
    for (const Seen& s : seen) {
        SCOPED_TRACE(s.time);
        EXPECT_EQ(s.bird, s.time <= 3020);
        EXPECT_EQ(s.presents, s.time >= 2040 && s.time <= 3020);
        EXPECT_EQ(s.title, s.time > 3020 && s.time <= 4020);
    }
    EXPECT_EQ(seen.back().time, 4020);
    EXPECT_EQ(rig.now(), 4020);
}

TEST(Screens, EscapeEndsTheIntroAndTheTitleFollowsAtOnce) {
    std::vector<Seen> seen;
    GameRig rig(noting(seen));
    rig.platform.press(DIK_ESCAPE, 1000, 1010);
    rig.platform.press(DIK_SPACE, 1500, 1510);
    rig.game.runIntro();

    for (const Seen& s : seen) {
        SCOPED_TRACE(s.time);
        EXPECT_EQ(s.bird, s.time <= 1020);
        EXPECT_EQ(s.title, s.time > 1020);
    }
    EXPECT_EQ(seen.back().time, 1520);
}

TEST(Screens, SpaceOnTheTitleLeadsToAGetReadyFrameWithoutTheShip) {
    GameRig rig;
    rig.platform.press(DIK_SPACE, 0);
    rig.game.runIntro();
    // Space does not cut the intro short, but ends the title at its first frame.
    EXPECT_EQ(rig.now(), 3008 + 16);
    EXPECT_TRUE(rig.isColour(270, 200, pictures::kTitle));

    rig.platform.devices().clearKeys();
    rig.game.startWave();
    EXPECT_EQ(rig.game.state(), GetReady);
    rig.game.update();
    EXPECT_TRUE(rig.isColour(141 + 133, 300 + 16, pictures::kGetReady));
    EXPECT_TRUE(rig.isColour(206, 558, pictures::kBackground));
    EXPECT_TRUE(rig.isColour(128, 279, pictures::kPoopy));
    EXPECT_TRUE(rig.isColour(128, 151, pictures::kDrippy));
    EXPECT_EQ(rig.bunkerPixelsShown(), 3 * 20 * 81);
    EXPECT_EQ(rig.scoreShown(), "000000");
    EXPECT_EQ(rig.spareIconsShown(), 2);
}

TEST(Screens, GameOverLastsFiveSecondsWhateverKeysAreHeld) {
    std::vector<Seen> seen;
    GameRig rig(noting(seen));
    rig.platform.press(DIK_ESCAPE, 0);
    rig.platform.press(DIK_SPACE, 0);
    rig.platform.press(DIK_P, 0);
    rig.game.runGameOver();

    EXPECT_EQ(seen.size(), 250u);
    EXPECT_EQ(seen.back().time, 5000);
    for (const Seen& s : seen) EXPECT_TRUE(s.gameOver);
    EXPECT_EQ(rig.platform.devices().keyboardReads(), 0);
}

TEST(Screens, EveryPictureIsReleasedWhenItsOwnerIsDone) {
    GameRig rig;
    const int withGame = rig.platform.display().liveObjects();
    rig.platform.press(DIK_SPACE, 0);
    rig.game.runIntro();
    rig.game.runGameOver();
    EXPECT_EQ(rig.platform.display().liveObjects(), withGame);

    rig.game.startWave();
    rig.game.tearDown();
    const int withoutGame = rig.platform.display().liveObjects();
    EXPECT_LT(withoutGame, withGame);

    Game again;
    again.setUp(&rig.display, &rig.input);
    EXPECT_EQ(rig.platform.display().liveObjects(), withGame);
    again.tearDown();
    EXPECT_EQ(rig.platform.display().liveObjects(), withoutGame);
}
