// The Windows build's frame pacing, driven by a simulated performance
// counter: a platform whose vertical-blank wait returns at once, and one whose
// wait really blocks until the next blank.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/pacing/FramePacer.h"

namespace {

constexpr std::int64_t kTenMegahertz = 10'000'000;
constexpr std::int64_t kAcpiTimer = 3'579'545;

// One frame loop on a simulated counter. Each frame renders for a while,
// waits for the blank as the platform would, then sleeps as the pacer says.
// The start time of every frame (after its wait and sleep) is recorded.
class FrameLoop {
public:
    FrameLoop(std::int64_t frequency, int reportedHz)
        : frequency_(frequency), pacer_(frequency, reportedHz) {}

    std::int64_t ticks(double milliseconds) const {
        return static_cast<std::int64_t>(milliseconds * frequency_ / 1000.0);
    }
    double milliseconds(std::int64_t ticks) const { return ticks * 1000.0 / frequency_; }

    // A wait that comes back at once, as Wine's does.
    void instantWait() { waitUntil(now_ + ticks(0.005)); }

    // A wait that blocks until the next blank of a display refreshing at hz
    // (blanks counted from the start of the loop).
    void realWait(double hz) {
        const double periodMs = 1000.0 / hz;
        long long blank = static_cast<long long>(milliseconds(now_ - start_) / periodMs);
        while (start_ + ticks(blank * periodMs) <= now_) ++blank;
        waitUntil(start_ + ticks(blank * periodMs));
    }

    void render(double renderMs) { now_ += ticks(renderMs); }

    // Sleeps end up to `early` milliseconds before their time, as a coarse
    // system timer may make them.
    void setEarlyWake(double early) { earlyWake_ = early; }

    const std::vector<std::int64_t>& frameStarts() const { return frameStarts_; }
    const std::vector<std::uint32_t>& sleeps() const { return sleeps_; }

private:
    void waitUntil(std::int64_t returned) {
        std::int64_t called = now_;
        now_ = returned;
        std::uint32_t sleep = pacer_.afterWait(called, now_);
        sleeps_.push_back(sleep);
        if (sleep > 0) now_ += ticks(sleep - earlyWake_);
        frameStarts_.push_back(now_);
    }

    std::int64_t frequency_;
    FramePacer pacer_;
    std::int64_t start_ = 987'654'321;  // the counter never starts at zero
    std::int64_t now_ = start_;
    double earlyWake_ = 0.0;
    std::vector<std::int64_t> frameStarts_;
    std::vector<std::uint32_t> sleeps_;
};

struct PacingCase {
    std::int64_t frequency;
    int refreshHz;
    double renderMs;
    double earlyWake;
};

class InstantWaitPacing : public ::testing::TestWithParam<PacingCase> {};

// With a wait that never waits, every frame still gets a refresh period of
// its own: frame i starts at the i-th boundary after the first, never before
// it (bar a sleep that ends early) and within a millisecond after it. So the
// loop runs at the refresh rate, neither faster (spinning, or two frames in
// one period) nor slower (sleeping through a boundary), and does not drift.
TEST_P(InstantWaitPacing, StartsEachFrameOnItsOwnBoundary) {
    const PacingCase& c = GetParam();
    FrameLoop loop(c.frequency, c.refreshHz);
    loop.setEarlyWake(c.earlyWake);
    for (int i = 0; i < 5 * c.refreshHz; ++i) {
        loop.render(c.renderMs);
        loop.instantWait();
    }
    const auto& starts = loop.frameStarts();
    const double period = 1000.0 / c.refreshHz;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        double late = loop.milliseconds(starts[i] - starts[0]) - i * period;
        ASSERT_GE(late, -c.earlyWake - 0.001) << "frame " << i;
        ASSERT_LT(late, 1.0) << "frame " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, InstantWaitPacing,
                         ::testing::Values(PacingCase{kTenMegahertz, 60, 1.0, 0.0},
                                           PacingCase{kTenMegahertz, 60, 0.2, 0.9},
                                           PacingCase{kAcpiTimer, 75, 3.0, 0.0},
                                           PacingCase{kAcpiTimer, 144, 0.5, 0.3},
                                           // the millisecond tick, where no
                                           // period is a whole number of ticks
                                           PacingCase{1000, 60, 1.0, 0.0}));

// A frame that takes longer than a period waits for the boundary after, as a
// real blank would make it: 25 ms frames at 60 Hz run every 33.3 ms, and a
// frame that overruns by a whole period is not followed by a catch-up burst.
TEST(FramePacer, SlowFramesWaitForTheFollowingBoundary) {
    FrameLoop loop(kTenMegahertz, 60);
    for (int i = 0; i < 30; ++i) {
        loop.render(i == 15 ? 40.0 : 25.0);
        loop.instantWait();
    }
    const auto& starts = loop.frameStarts();
    for (std::size_t i = 2; i < starts.size(); ++i) {
        double interval = loop.milliseconds(starts[i] - starts[i - 1]);
        double expected = (i == 15) ? 50.0 : 100.0 / 3.0;
        EXPECT_NEAR(interval, expected, 1.0) << "frame " << i;
    }
}

// Where the platform's wait is real, pacing must not add to it: whatever the
// drawing time, and even when the display reports its rate rounded (59 for
// 59.94 Hz) or not at all, no frame is made to sleep past the blank it got.
TEST(FramePacer, NeverSleepsAfterAWaitThatReallyWaited) {
    struct Display {
        int reported;
        double actual;
    };
    for (Display display : {Display{60, 60.0}, Display{59, 59.94}, Display{0, 60.0},
                            Display{60, 59.94}, Display{75, 75.0}}) {
        FrameLoop loop(kTenMegahertz, display.reported);
        const double period = 1000.0 / display.actual;
        // Drawing times spread over the period, including ones that end just
        // before a blank, so that the wait comes back almost at once.
        for (int i = 0; i < 600; ++i) {
            loop.render((i % 3 == 0) ? period - 0.2 : (i % 17 + 0.5) * period / 17.0);
            loop.realWait(display.actual);
        }
        for (std::size_t i = 0; i < loop.sleeps().size(); ++i) {
            ASSERT_EQ(loop.sleeps()[i], 0u)
                << "reported " << display.reported << " Hz, frame " << i;
        }
    }
}

TEST(FramePacer, UnknownOrImplausibleRatesFallBackToSixtyHertz) {
    EXPECT_EQ(FramePacer::usableRefreshRate(0), 60);  // "hardware default"
    EXPECT_EQ(FramePacer::usableRefreshRate(1), 60);
    EXPECT_EQ(FramePacer::usableRefreshRate(-75), 60);
    EXPECT_EQ(FramePacer::usableRefreshRate(100000), 60);
    EXPECT_EQ(FramePacer::usableRefreshRate(75), 75);
    EXPECT_EQ(FramePacer::usableRefreshRate(144), 144);

    FramePacer pacer(kTenMegahertz, 0);
    EXPECT_EQ(pacer.period(), kTenMegahertz / 60);
    pacer.setRefreshRate(85);
    EXPECT_EQ(pacer.period(), kTenMegahertz / 85);
}

// A mode change starts a new grid: the first wait after it is taken as a
// blank and no sleep is owed from the old rate's boundaries.
TEST(FramePacer, ARateChangeStartsANewGrid) {
    FramePacer pacer(1000, 60);
    EXPECT_EQ(pacer.afterWait(0, 0), 0u);
    EXPECT_EQ(pacer.afterWait(2, 2), 15u);  // the next 60 Hz boundary is at 16.7 ms
    pacer.setRefreshRate(100);
    EXPECT_EQ(pacer.afterWait(5, 5), 0u);
    EXPECT_EQ(pacer.afterWait(7, 7), 8u);  // 100 Hz: the next boundary is at 15 ms
}

}  // namespace
