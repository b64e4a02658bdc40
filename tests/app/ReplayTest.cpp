// A game recorded at the seams and played back in a fresh run shows the same
// frames; a replay whose inputs were changed stops at the first frame check
// that differs, with the line a player is shown, and unwinds the run.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Application.h"
#include "base/GameClock.h"
#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/replay/ReplayFingerprint.h"
#include "platform/replay/ReplaySeams.h"
#include "support/TestPictures.h"

namespace {

struct TapedRun {
    HeadlessRun run;
    std::vector<std::uint32_t> frameHashes;
    std::vector<std::uint8_t> file;
    std::string mismatch;
    bool playedToEnd = false;
};

// Moves, shots, a pause by going to the background and back, P to resume,
// and Escape in play: the game-over screen ends the run.
void scriptGame(HeadlessPlatform& platform) {
    platform.press(DIK_SPACE, 3500, 3600);
    platform.press(DIK_RIGHT, 7000, 7500);
    platform.press(DIK_SPACE, 7600, 7620);
    platform.press(DIK_LEFT, 8000, 8400);
    platform.press(DIK_SPACE, 8500, 8520);
    platform.postMessage(WM_ACTIVATEAPP, 0, 9000);
    platform.postMessage(WM_ACTIVATEAPP, 1, 9500);
    platform.press(DIK_P, 10000, 10020);
    platform.press(DIK_SPACE, 10600, 10620);
    platform.press(DIK_RIGHT, 10700, 11300);
    platform.press(DIK_SPACE, 11400, 11420);
    platform.press(DIK_ESCAPE, 12000);
}

// Records the scripted game when `replay` is null, else plays it.
TapedRun runTaped(const std::vector<std::uint8_t>* replay) {
    TapedRun taped;
    ReplayTape tape(startTick());
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    options.onFrame = [&](const CapturedFrame& frame) {
        const std::size_t bytes = frame.pixels->size() * sizeof(std::uint16_t);
        taped.frameHashes.push_back(replayFrameHash(frame.pixels->data(), bytes));
        tape.frameShown(frame.pixels->data(), bytes);
    };
    HeadlessPlatform platform(options);
    ReplayShell shell(platform.shell(), tape);
    ReplayDevices devices(platform.devices(), tape);
    installShellPlatform(&shell);
    installDevicePlatform(&devices);
    const std::uint64_t fingerprint = replayFingerprint("");
    if (replay) {
        ReplayData data;
        std::string error;
        EXPECT_TRUE(readReplay(replay->data(), replay->size(), data, error)) << error;
        EXPECT_TRUE(tape.startPlaying(std::move(data), fingerprint));
    } else {
        scriptGame(platform);
        tape.startRecording();
    }
    taped.run = runGame(platform);
    taped.mismatch = tape.mismatch();
    taped.playedToEnd = tape.playedToEnd();
    ReplayHeader header;
    header.buildVersion = "test";
    header.fingerprint = fingerprint;
    header.score = application().score();
    taped.file = tape.finishRecording(header);
    return taped;
}

// The replay with the keyboard's Left key down at one read in play.
std::vector<std::uint8_t> withOneKeyChanged(const std::vector<std::uint8_t>& file) {
    ReplayData data;
    std::string error;
    EXPECT_TRUE(readReplay(file.data(), file.size(), data, error)) << error;
    ReplayEventReader reader(data.events);
    ReplayEventWriter writer;
    ReplayEvent event;
    bool changed = false;
    while (reader.next(event)) {
        switch (event.kind) {
            case ReplayEventKind::Tick:
                writer.tick(event.tick);
                break;
            case ReplayEventKind::State: {
                std::vector<std::uint8_t> keys(event.snapshot, event.snapshot + 256);
                if (!changed && event.result == DI_OK &&
                    static_cast<std::int32_t>(writer.lastTick()) > 7800) {
                    keys[DIK_LEFT] = 0x80;
                    changed = true;
                }
                writer.state(event.device, event.result, keys.data(), keys.size());
                break;
            }
            case ReplayEventKind::Result:
                writer.result(event.device, event.call, event.result);
                break;
            case ReplayEventKind::NoMessage:
                writer.noMessage();
                break;
            case ReplayEventKind::Message:
                writer.message(event.message, event.wParam, event.lParam);
                break;
            case ReplayEventKind::Frame:
                writer.frame(event.frameHash);
                break;
        }
    }
    EXPECT_TRUE(changed);
    return writeReplay(data.header, writer.bytes());
}

TEST(Replay, AGamePlaysBackFrameForFrameAndAChangedInputStopsAtTheMismatch) {
    ScopedTestPictures pictures;
    const TapedRun recorded = runTaped(nullptr);
    ASSERT_FALSE(recorded.run.budgetExhausted);
    ASSERT_FALSE(recorded.file.empty());
    std::printf("recorded %zu frames in a replay of %zu bytes\n", recorded.frameHashes.size(),
                recorded.file.size());

    const TapedRun played = runTaped(&recorded.file);
    EXPECT_EQ(played.mismatch, "");
    EXPECT_TRUE(played.playedToEnd);
    EXPECT_EQ(played.run.exitCode, recorded.run.exitCode);
    EXPECT_EQ(played.frameHashes, recorded.frameHashes);

    const std::vector<std::uint8_t> changed = withOneKeyChanged(recorded.file);
    const TapedRun desynced = runTaped(&changed);
    EXPECT_EQ(desynced.mismatch.rfind("this replay does not match from 00:0", 0), 0u)
        << desynced.mismatch;
    EXPECT_FALSE(desynced.playedToEnd);
    EXPECT_FALSE(desynced.run.budgetExhausted);
    EXPECT_LT(desynced.frameHashes.size(), recorded.frameHashes.size());

    ReplayTape tape(startTick());
    ReplayData data;
    std::string error;
    ASSERT_TRUE(readReplay(recorded.file.data(), recorded.file.size(), data, error));
    EXPECT_FALSE(tape.startPlaying(std::move(data), replayFingerprint("") + 1));
    EXPECT_EQ(tape.mismatch(), "this replay was recorded by another version of Zorbanix");
}

}  // namespace
