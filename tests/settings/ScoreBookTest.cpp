// The ten best as both programs keep them, read from a file with bad rows:
// the good rows kept in order, the bad ones dropped with the file kept
// aside, and no new best claimed where none was made or kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/ScoreBook.h"

namespace fs = std::filesystem;

TEST(ScoreBookTest, BadRowsAreDroppedTheGoodOnesKeptInOrderAndNoFalseBestIsClaimed) {
    std::string text =
        "# my table\n"
        "score = 90 2026-01-09\n"
        "score = -50 2026-01-02\n"
        "score = 900 2026-01-01\n"
        "score = 2026-13-01 2026-13-01\n"
        "score = 500 2026-02-30\n"
        "score = 1000000000 2026-01-04\n"
        "score = 300\n";
    for (int row = 1; row <= 7; ++row)
        text +=
            "score = " + std::to_string(row * 100 + 5) + " 2026-03-0" + std::to_string(row) + "\n";

    // The browser's way: text in, rows and the text to store out.
    ScoreBook book;
    std::vector<std::string> dropped;
    std::string error;
    ASSERT_TRUE(book.read(text, &dropped, &error));
    EXPECT_EQ(dropped, (std::vector<std::string>{
                           "score = -50 2026-01-02", "score = 2026-13-01 2026-13-01",
                           "score = 500 2026-02-30", "score = 1000000000 2026-01-04"}));
    ASSERT_EQ(book.rows().size(), ScoreBook::kKept);
    EXPECT_EQ(book.best(), 900);
    EXPECT_EQ(book.rows()[1].points, 705);
    EXPECT_EQ(book.rows()[5].points, 305);
    EXPECT_EQ(book.rows()[6].points, 300);  // a row kept before dates were
    EXPECT_EQ(book.rows()[6].date, "");
    EXPECT_EQ(book.rows().back().points, 90);
    EXPECT_FALSE(book.beatsAll(900));
    EXPECT_EQ(book.record(80, "2026-04-01"), 0);
    EXPECT_EQ(book.record(300, "2026-04-01"), 8);  // after the equal score kept earlier
    ScoreBook stored;
    ASSERT_TRUE(stored.read(book.text(), &dropped, &error));
    EXPECT_EQ(stored.rows()[7].date, "2026-04-01");
    EXPECT_NE(book.text().find("# my table\n"), std::string::npos);

    // The Linux way: the same rows, with one line and the file kept aside.
    std::string folder = (fs::temp_directory_path() / "book-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string file = folder + "/best-scores.txt";
    std::ofstream(file) << text;
    std::vector<std::string> complaints;
    BestScores scores(file, [&](const std::string& line) { complaints.push_back(line); });
    ASSERT_EQ(scores.load().size(), ScoreBook::kKept);
    EXPECT_EQ(scores.known().front().points, 900);
    ASSERT_EQ(complaints.size(), 1u);
    EXPECT_NE(complaints[0].find("score = -50"), std::string::npos);
    std::ostringstream aside;
    aside << std::ifstream(file + ".bad").rdbuf();
    EXPECT_EQ(aside.str(), text);
    const ScoreOutcome low = scores.record(80, "2026-04-01");
    EXPECT_TRUE(low.saved);
    EXPECT_FALSE(low.newBest);
    EXPECT_EQ(finalScoreLine(80, low), "Zorbanix: final score 80 (best 900)");
    EXPECT_TRUE(scores.record(901, "2026-04-02").newBest);

    // A table that cannot be read is said to be so, and no best is claimed.
    const std::string loop = folder + "/loop.txt";
    fs::create_symlink(loop, loop);
    BestScores unreadable(loop, [](const std::string&) {});
    EXPECT_TRUE(unreadable.load().empty());
    const ScoreOutcome outcome = unreadable.record(5000, "2026-04-03");
    EXPECT_TRUE(outcome.unreadable);
    EXPECT_FALSE(outcome.newBest);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(scoresText({}, loop, unreadable.unreadable()),
              "The best scores cannot be read (" + loop + ").\n");
    fs::remove_all(folder);
}
