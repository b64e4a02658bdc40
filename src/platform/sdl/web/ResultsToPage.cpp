#include "platform/sdl/web/ResultsToPage.h"

#include <emscripten.h>

#include <cstdint>
#include <vector>

namespace {

// `points` holds `count` numbers and `dates` as many pointers to
// NUL-terminated dates (YYYY-MM-DD).
// The body is JavaScript, left as written.
// clang-format off
EM_JS(void, zorbanix_announce_results, (int score, int newBest, int notSaved, int marked,
                                        const std::int32_t* points, const char* const* dates,
                                        int count), {
    var hear = Module["onResults"];
    if (!hear) return;
    var rows = [];
    for (var i = 0; i < count; ++i) {
        rows.push({points: HEAP32[(points >> 2) + i],
                   date: UTF8ToString(HEAPU32[(dates >> 2) + i])});
    }
    hear({score: score, newBest: newBest != 0, notSaved: notSaved != 0, marked: marked,
          rows: rows});
});
// clang-format on

}  // namespace

void announceResults(const Results& results) {
    std::vector<std::int32_t> points;
    std::vector<const char*> dates;
    for (const ResultsRow& row : results.best) {
        points.push_back(static_cast<std::int32_t>(row.points));
        dates.push_back(row.date.c_str());
    }
    const int count = static_cast<int>(points.size());
    const int marked = results.markedRow >= 0 && results.markedRow < count ? results.markedRow : -1;
    zorbanix_announce_results(static_cast<int>(results.score), results.newBest ? 1 : 0,
                              results.notSaved ? 1 : 0, marked, points.data(), dates.data(), count);
}
