// Two copies of the Linux program on one settings folder, and a change made
// while another copy holds the folder's lock: every change the players made
// ends up in the file, a copy that changed nothing writes nothing, and the
// game's thread never waits for the lock.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "platform/sdl/linux/KeptSettings.h"
#include "platform/sdl/settings/SavedFile.h"

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

namespace {

std::string contents(const std::string& file) {
    std::ostringstream all;
    all << std::ifstream(file).rdbuf();
    return all.str();
}

ino_t inode(const std::string& file) {
    struct stat status {};
    return stat(file.c_str(), &status) == 0 ? status.st_ino : 0;
}

}  // namespace

TEST(SharedSettingsTest, TwoCopiesKeepEachOthersChangesAndAChangeOutlastsAHeldLock) {
    std::string folder = (fs::temp_directory_path() / "shared-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string file = folder + "/settings.ini";
    {
        KeptSettings first(folder);
        KeptSettings second(folder);
        first.muteSwitched(true);
        second.volumeChanged(3);
        first.finish();
        second.finish();
    }
    GameSettings both = SettingsFile(file, {}).load();
    EXPECT_TRUE(both.mute);
    EXPECT_EQ(both.volume, 3);
    const ino_t written = inode(file);
    { KeptSettings idle(folder); }
    EXPECT_EQ(inode(file), written);  // nothing changed, nothing written

    // Another copy holds the lock: the game's thread goes on at once, the
    // change waits with one line on stderr and is saved once the lock is
    // let go, before the program ends; the score waits its bounded time.
    testing::internal::CaptureStderr();
    KeptSettings copy(folder);
    copy.setWaits(50, 20);
    auto other = std::make_unique<FolderLock>(folder);
    std::atomic<int> saved{-1};
    const auto start = steady_clock::now();
    copy.integerScaleSwitched(true);
    copy.recordFinalScoreAway(700, [&](const ScoreOutcome& outcome) { saved = outcome.saved; });
    EXPECT_LT(steady_clock::now() - start, milliseconds(20));
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(contents(file).find("integer-scale"), std::string::npos);
    other.reset();
    for (int wait = 0;
         wait < 100 && contents(file).find("integer-scale = yes") == std::string::npos; ++wait) {
        std::this_thread::sleep_for(milliseconds(20));
    }
    EXPECT_NE(contents(file).find("integer-scale = yes"), std::string::npos);
    copy.finish();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("settings changed here are saved once"),
              said.rfind("settings changed here are saved once"))
        << said;
    EXPECT_NE(said.find("saved once it lets go"), std::string::npos) << said;
    EXPECT_TRUE(SettingsFile(file, {}).load().mute);
    fs::remove_all(folder);
}
