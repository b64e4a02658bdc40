// The files the Linux game keeps: what survives a rewrite, what happens to a
// file that cannot be read or holds a bad value, a player's links, modes and
// a second copy of the game saving at once, and the best-score table's order.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/GameSettings.h"
#include "platform/sdl/settings/SavedFile.h"

namespace fs = std::filesystem;

namespace {

class KeptFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kept-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    static void put(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    KeptFile::Complaint listen() {
        return [this](const std::string& line) { complaints_.push_back(line); };
    }

    fs::path folder_;
    std::vector<std::string> complaints_;
};

TEST_F(KeptFilesTest, ARewriteKeepsWhatTheGameDoesNotKnowAndChangesOnlyItsOwnLines) {
    const std::string file = path("settings.ini");
    put(file,
        "# my own note\r\n"
        "colour-theme = amber\n"
        "\n"
        "mute = yes\n"
        "fullscreen=no\n"
        "fullscreen = yes\n"
        "  ; indented comment\n");
    SettingsFile settings(file, listen());
    GameSettings loaded = settings.load();
    EXPECT_FALSE(loaded.fullScreen);  // the first of two lines counts
    EXPECT_TRUE(loaded.mute);
    EXPECT_FALSE(loaded.windowPlaced);

    loaded.fullScreen = true;
    loaded.windowWidth = 1024;
    loaded.windowHeight = 768;
    loaded.windowX = -40;
    loaded.windowY = 25;
    loaded.windowPlaced = true;
    ASSERT_TRUE(settings.save(loaded));
    EXPECT_EQ(contents(file),
              "# my own note\n"
              "colour-theme = amber\n"
              "\n"
              "mute = yes\n"
              "fullscreen = yes\n"
              "  ; indented comment\n"
              "window-size = 1024x768\n"
              "window-position = -40,25\n"
              "integer-scale = no\n"
              "volume = 10\n");
    EXPECT_EQ(SettingsFile(file, listen()).load(), loaded);
    EXPECT_TRUE(complaints_.empty());
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(KeptFilesTest, AFileThatDoesNotParseIsKeptAsideWithOneLineAndTheDefaultsAreUsed) {
    const std::string file = path("settings.ini");
    const std::string oversized(KeptText::kLimit + 1, '#');
    const std::vector<std::string> bad = {
        std::string("fullscreen = no\nmute = y", 24) + std::string(1, '\0') + "s\n",
        "[section]\n",
        "just some words\n",
        "\x89PNG\r\n\x1a\n",
        oversized,
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        put(file, bad[i]);
        complaints_.clear();
        SettingsFile settings(file, listen());
        EXPECT_EQ(settings.load(), GameSettings());
        ASSERT_EQ(complaints_.size(), 1u);
        const std::string kept = i == 0 ? file + ".bad" : file + ".bad-" + std::to_string(i + 1);
        EXPECT_NE(complaints_[0].find(kept), std::string::npos) << complaints_[0];
        // Kept byte for byte, and never overwritten by a later one.
        EXPECT_EQ(contents(kept), bad[i]);
        EXPECT_FALSE(fs::exists(file));
        GameSettings changed;
        changed.mute = true;
        ASSERT_TRUE(settings.save(changed));
        EXPECT_EQ(SettingsFile(file, listen()).load(), changed);
    }
    EXPECT_EQ(contents(file + ".bad"), bad[0]);
}

TEST_F(KeptFilesTest, BadValuesAreIgnoredAndEveryOtherLineAndCommentKept) {
    const std::string file = path("settings.ini");
    const std::string before =
        "# mine\nfullscreen = no\ninteger-scale = perhaps\nwindow-size = 800x\nmute = yes\n";
    put(file, before);
    SettingsFile settings(file, listen());
    GameSettings expected;
    expected.fullScreen = false;
    expected.mute = true;
    EXPECT_EQ(settings.load(), expected);
    ASSERT_EQ(complaints_.size(), 1u);
    EXPECT_NE(complaints_[0].find("window-size = 800x, integer-scale = perhaps"), std::string::npos)
        << complaints_[0];
    EXPECT_EQ(contents(file + ".bad"), before);
    EXPECT_EQ(contents(file), "# mine\nfullscreen = no\nmute = yes\n");
    EXPECT_EQ(SettingsFile(file, listen()).load(), expected);
    EXPECT_EQ(complaints_.size(), 1u);
}

TEST_F(KeptFilesTest, ALinkedFileIsReadAndWrittenThroughTheLinkInTheModeItHad) {
    // A player's dotfiles: the game's folder holds a link into another one.
    fs::create_directory(path("dotfiles"));
    const std::string target = path("dotfiles/settings.ini");
    const std::string link = path("settings.ini");
    put(target, "mute = yes\n");
    // Neither the mode a new file gets nor the one the new file is made in.
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode, fs::perm_options::replace);
    fs::create_symlink("dotfiles/settings.ini", link);
    const auto stillLinked = [&] {
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), "dotfiles/settings.ini");
    };

    SettingsFile settings(link, listen());
    GameSettings changed = settings.load();
    EXPECT_TRUE(changed.mute);
    changed.fullScreen = false;
    ASSERT_TRUE(settings.save(changed));
    stillLinked();
    EXPECT_EQ(SettingsFile(target, listen()).load(), changed);
    EXPECT_EQ(fs::status(target).permissions(), mode);

    // A file that is none: what the link names goes aside, the link stays.
    put(target, "just some words\n");
    SettingsFile again(link, listen());
    EXPECT_EQ(again.load(), GameSettings());
    stillLinked();
    EXPECT_EQ(contents(target + ".bad"), "just some words\n");
    ASSERT_TRUE(again.save(changed));
    stillLinked();
    EXPECT_EQ(SettingsFile(target, listen()).load(), changed);

    // A link to a file not made yet has it made where the link says.
    fs::remove(target);
    ASSERT_TRUE(SettingsFile(link, listen()).save(changed));
    stillLinked();
    EXPECT_EQ(SettingsFile(target, listen()).load(), changed);
    EXPECT_EQ(complaints_.size(), 1u);
}

TEST_F(KeptFilesTest, ABadFileIsSetAsideOnlyUnderTheLockAndALockHeldTooLongSkipsTheSave) {
    // Another copy holds the folder's lock and saves a good file over a bad
    // one meanwhile: the file is judged as that copy left it.
    const std::string file = path("settings.ini");
    put(file, "just some words\n");
    auto other = std::make_unique<FolderLock>(folder_.string());
    GameSettings loaded;
    std::thread game([&] { loaded = SettingsFile(file, listen()).load(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::string error;
    ASSERT_TRUE(replaceFileWhole(file, "mute = yes\n", &error)) << error;
    other.reset();
    game.join();
    EXPECT_TRUE(loaded.mute);
    EXPECT_FALSE(fs::exists(file + ".bad"));
    EXPECT_TRUE(complaints_.empty());

    // Held past the wait: this save is skipped, with one line, and the next
    // one is made.
    KeptFile kept(file, "settings", nullptr, listen());
    kept.setLockWait(50);
    other = std::make_unique<FolderLock>(folder_.string());
    EXPECT_FALSE(kept.update([](KeptText& text) { text.set("mute", "no"); }));
    EXPECT_EQ(complaints_.size(), 1u);
    other.reset();
    EXPECT_TRUE(kept.update([](KeptText& text) { text.set("mute", "no"); }));
    EXPECT_EQ(contents(file), "mute = no\n");
}

TEST_F(KeptFilesTest, WhatCannotBeReadOrWrittenCostsOneLineAndIsNeverOverwritten) {
    // A folder where the file should be cannot be read: it stays, unsaved.
    fs::create_directory(path("settings.ini"));
    SettingsFile blocked(path("settings.ini"), listen());
    EXPECT_EQ(blocked.load(), GameSettings());
    EXPECT_FALSE(blocked.save(GameSettings()));
    EXPECT_TRUE(fs::is_directory(path("settings.ini")));
    EXPECT_EQ(complaints_.size(), 1u);

    // A folder that cannot be made (a file stands in its way): one line,
    // however often it is tried, and the game is told how it went.
    complaints_.clear();
    put(path("data"), "not a folder");
    BestScores scores(path("data/zorbanix/best-scores.txt"), listen());
    for (int game = 1; game <= 3; ++game) {
        EXPECT_FALSE(
            scores.record(100 * game, "2026-01-02").newBest);  // nothing saved, nothing claimed
    }
    // The game's line says the score was not kept rather than a new best.
    const ScoreOutcome unsaved = scores.record(400, "2026-01-02");
    EXPECT_FALSE(unsaved.saved);
    EXPECT_EQ(unsaved.place, 0);
    EXPECT_EQ(finalScoreLine(400, unsaved), "Zorbanix: final score 400 (best not saved)");
    EXPECT_EQ(complaints_.size(), 1u);

    // A disk that fills while the new file is written (a file size limit
    // stands in for it): the old file stays as it was, nothing is left over.
    complaints_.clear();
    SettingsFile settings(path("settings-2.ini"), listen());
    GameSettings windowed;
    windowed.fullScreen = false;
    ASSERT_TRUE(settings.save(windowed));
    const std::string before = contents(path("settings-2.ini"));
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit saved = limit;
    limit.rlim_cur = before.size() + 4;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    windowed.windowWidth = 1600;
    windowed.windowHeight = 1200;
    windowed.windowPlaced = true;
    const bool saved_ok = settings.save(windowed);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(contents(path("settings-2.ini")), before);
    EXPECT_EQ(complaints_.size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

TEST_F(KeptFilesTest, TheTableKeepsTheTenBestInOrderAndSaysWhenAGameSetANewBest) {
    BestScores scores(path("data/zorbanix/best-scores.txt"), listen());
    EXPECT_EQ(scoresText(scores.load(), scores.path()),
              "No best scores yet (" + scores.path() + ").\n");

    EXPECT_EQ(finalScoreLine(0, scores.record(0, "2026-01-01")),
              "Zorbanix: final score 0 (best 0)");
    EXPECT_FALSE(fs::exists(scores.path()));  // a game with no points leaves no trace

    const ScoreOutcome first = scores.record(120, "2026-01-01");
    EXPECT_EQ(finalScoreLine(120, first), "Zorbanix: final score 120 (new best)");
    const ScoreOutcome tie = scores.record(120, "2026-01-02");
    EXPECT_EQ(finalScoreLine(120, tie), "Zorbanix: final score 120 (best 120)");
    EXPECT_EQ(tie.place, 2);  // the earlier equal score stays ahead
    for (long points : {50, 340, 90, 70, 60, 200, 80, 10, 20}) {
        scores.record(points, "2026-01-03");
    }
    const ScoreOutcome late = scores.record(55, "2026-01-04");
    EXPECT_EQ(finalScoreLine(55, late), "Zorbanix: final score 55 (best 340)");
    EXPECT_EQ(late.place, 9);
    ASSERT_TRUE(late.saved);
    ASSERT_EQ(late.table.size(), 10u);  // the table as kept, for the results screen
    EXPECT_EQ(late.table[8].points, 55);
    EXPECT_EQ(late.table[8].date, "2026-01-04");

    // Read back by another copy of the game, with a line by hand kept.
    std::ofstream(scores.path(), std::ios::app) << "# well played\n";
    BestScores again(scores.path(), listen());
    EXPECT_EQ(again.record(5, "2026-01-05").place, 0);
    EXPECT_EQ(scoresText(again.load(), again.path()), "Best scores (" + again.path() +
                                                          "):\n"
                                                          "  1.       340  2026-01-03\n"
                                                          "  2.       200  2026-01-03\n"
                                                          "  3.       120  2026-01-01\n"
                                                          "  4.       120  2026-01-02\n"
                                                          "  5.        90  2026-01-03\n"
                                                          "  6.        80  2026-01-03\n"
                                                          "  7.        70  2026-01-03\n"
                                                          "  8.        60  2026-01-03\n"
                                                          "  9.        55  2026-01-04\n"
                                                          " 10.        50  2026-01-03\n");
    EXPECT_NE(contents(again.path()).find("# well played\n"), std::string::npos);
    EXPECT_TRUE(complaints_.empty());
}

}  // namespace
