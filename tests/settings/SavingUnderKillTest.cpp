// Saving while being killed: writers are killed (SIGKILL) at arbitrary
// moments, two at a time, again and again; the file is always one whole
// version, old or new, never a mix or a stump. And copies of the game that
// record scores at the same moment all keep theirs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/SavedFile.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// A version large enough that a kill often lands inside its write.
std::string version(char mark) {
    std::string text;
    for (int line = 0; line < 20000; ++line) {
        text += "# ";
        text += std::string(40, mark);
        text += " " + std::to_string(line) + "\n";
    }
    return text;
}

int leftovers(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".new") ++count;
    }
    return count;
}

// A child that saves `text` over and over until it is killed.
pid_t startWriter(const std::string& path, const std::string& text) {
    const pid_t child = fork();
    if (child == 0) {
        std::string error;
        for (;;) replaceFileWhole(path, text, &error);
    }
    return child;
}

TEST(SavingUnderKillTest, AKilledWriterLeavesTheOldFileOrTheNewOneWholeAndOthersKeepTheirScores) {
    std::string pattern = (fs::temp_directory_path() / "killed-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    const std::string path = (folder / "settings.ini").string();
    const std::string versions[] = {version('a'), version('b'), version('c')};
    std::string error;
    ASSERT_TRUE(replaceFileWhole(path, versions[0], &error)) << error;

    std::mt19937 random(20);
    int killedMidWrite = 0;
    for (int round = 0; round < 120; ++round) {
        const pid_t first = startWriter(path, versions[1]);
        const pid_t second = startWriter(path, versions[2]);
        ASSERT_GT(first, 0);
        ASSERT_GT(second, 0);
        usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
        kill(first, SIGKILL);
        usleep(std::uniform_int_distribution<useconds_t>(0, 300)(random));
        kill(second, SIGKILL);
        waitpid(first, nullptr, 0);
        waitpid(second, nullptr, 0);
        const std::string found = contents(path);
        ASSERT_TRUE(found == versions[0] || found == versions[1] || found == versions[2])
            << "round " << round << ": a file of " << found.size() << " bytes";
        if (leftovers(folder) > 0) ++killedMidWrite;
    }
    // The rounds did kill writers inside a save, and the next save clears
    // what they left.
    EXPECT_GT(killedMidWrite, 0);
    ASSERT_TRUE(replaceFileWhole(path, versions[0], &error)) << error;
    EXPECT_EQ(leftovers(folder), 0);

    // Eight games ending at once, each recording its score.
    const std::string table = (folder / "best-scores.txt").string();
    std::vector<pid_t> games;
    for (int game = 1; game <= 8; ++game) {
        const pid_t child = fork();
        if (child == 0) {
            BestScores(table, [](const std::string&) {}).record(game * 10, "2026-02-03");
            _exit(0);
        }
        games.push_back(child);
    }
    for (const pid_t game : games) waitpid(game, nullptr, 0);
    const std::vector<ScoreEntry> kept = BestScores(table, {}).load();
    ASSERT_EQ(kept.size(), 8u);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i].points, static_cast<long>(80 - 10 * i));
    }
    fs::remove_all(folder);
}

}  // namespace
