// The program going to the background (WM_ACTIVATEAPP with false) pauses a
// wave that is playing or getting ready, as a press of P at that moment
// would: the paused frame from the next pass on, and P resumes it only more
// than 500 ms after the loss. A loss while paused changes nothing; one that
// came during the title waits in the queue and pauses the first wave at its
// first pass; regaining the foreground resumes nothing by itself. Switching
// away on the title and back: the activation messages the system sends reach
// the window while the title shows, and the first wave opens getting ready.

#include <gtest/gtest.h>

#include "base/ShellPlatform.h"
#include "faults/ScriptedGame.h"

namespace {

using faults::Screen;

struct LossCase {
    const char* name;
    std::int32_t at;
    std::uintptr_t wParam;
    Screen next;             // the screen of the first frame after the message is taken
    std::int32_t playAgain;  // first play frame after that is at or after this time
};

class ForegroundLoss : public faults::ScriptTest<LossCase> {};

TEST_P(ForegroundLoss, PausesLikePAndOnlyPResumes) {
    const LossCase c = GetParam();
    const faults::LoggedRun played = faults::playScriptWithMessage(WM_ACTIVATEAPP, c.wParam, c.at);
    ASSERT_FALSE(played.run.budgetExhausted);
    EXPECT_EQ(played.run.exitCode, 0);
    const auto& times = played.log.times;
    const auto& screens = played.log.screens;
    const std::string seen = faults::describe(played.log.stretches());

    // The first frame of the waves takes the message; later, the frame after
    // the one it arrived before.
    std::size_t taken = 0;
    while (taken < times.size() && (times[taken] <= c.at || screens[taken] == Screen::Title)) {
        ++taken;
    }
    ASSERT_LT(taken + 1, screens.size());
    if (screens[taken] != c.next) ++taken;
    EXPECT_EQ(screens[taken], c.next) << seen;

    std::size_t play = taken;
    while (play < screens.size() && screens[play] != Screen::Play) ++play;
    ASSERT_LT(play, screens.size()) << seen;
    EXPECT_GE(times[play], c.playAgain) << seen;
    EXPECT_LE(times[play], c.playAgain + 48) << seen;
}

// P is pressed at 8000 and 9000 (16 ms each), get-ready runs 3520 to 6520.
INSTANTIATE_TEST_SUITE_P(
    EachState, ForegroundLoss,
    ::testing::Values(LossCase{"DuringTitle", 3200, 0, Screen::Paused, faults::kPause},
                      LossCase{"GettingReady", 4500, 0, Screen::Paused, faults::kPause},
                      LossCase{"Playing", 7100, 0, Screen::Paused, faults::kPause},
                      // P at 8000 comes within 500 ms of the loss: only the next one resumes.
                      LossCase{"PlayingJustBeforeP", 7700, 0, Screen::Paused, faults::kResume},
                      LossCase{"Paused", 8500, 0, Screen::Paused, faults::kResume},
                      LossCase{"ForegroundRegained", 7100, 1, Screen::Play, 7100}),
    [](const ::testing::TestParamInfo<LossCase>& info) { return std::string(info.param.name); });

// Away on the title and back before Space (true), or still away (false).
class SwitchOnTitle : public faults::ScriptTest<bool> {};

TEST_P(SwitchOnTitle, ActivationReachesTheWindowOnTheTitle) {
    const bool comesBack = GetParam();
    const faults::LoggedRun played = faults::playScript([comesBack](HeadlessPlatform& platform) {
        platform.sendMessage(WM_ACTIVATEAPP, 0, 3200);
        if (comesBack) platform.sendMessage(WM_ACTIVATEAPP, 1, 3300);
    });
    ASSERT_EQ(played.sentDelivered.size(), comesBack ? 2U : 1U);
    for (const std::int32_t at : played.sentDelivered) EXPECT_LT(at, faults::kLeaveTitle);
    const auto stretches = played.log.stretches();  // intro, title, the first wave
    ASSERT_GE(stretches.size(), 3U);
    EXPECT_EQ(stretches[2].screen, comesBack ? Screen::GetReady : Screen::Paused)
        << faults::describe(stretches);
}

INSTANTIATE_TEST_SUITE_P(AwayAndBack, SwitchOnTitle, ::testing::Bool());

}  // namespace
