// How long the game thread is held by what the Linux program keeps: the
// calls a frame makes when the player changes a setting, and those the end of
// a game makes (the score handed over, the table the results show at once),
// with the folders' lock free and then held by another process for the whole
// run. Prints the longest call of each kind, in milliseconds, and how long
// finish(100) then takes with what is still unsaved (a record already in its
// wait for the lock ends that wait first).
//
//   zorbanix_saving_stall [rounds]     (scripts/bench saving)

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sdl/linux/KeptSettings.h"
#include "platform/sdl/settings/SavedFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A scratch home for the kept files, so that the player's own are never met.
std::string scratchHome() {
    char pattern[] = "/tmp/zorbanix-stall-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    std::string home = made;
    for (const char* folder : {"/config", "/config/zorbanix", "/data", "/data/zorbanix"}) {
        mkdir((home + folder).c_str(), 0700);
    }
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    return home;
}

// Another copy of the game holding both folders' locks until it is told to go.
pid_t holdLocks(const std::string& home) {
    int ready[2];
    if (pipe(ready) != 0) std::exit(1);
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        FolderLock settings(home + "/config/zorbanix");
        FolderLock scores(home + "/data/zorbanix");
        const char held = settings.busy() || scores.busy() ? 'n' : 'y';
        if (write(ready[1], &held, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char held = 'n';
    if (read(ready[0], &held, 1) != 1 || held != 'y') {
        std::fprintf(stderr, "the locks could not be held\n");
        std::exit(1);
    }
    close(ready[0]);
    return child;
}

void measure(FILE* report, bool lockHeld, int rounds) {
    const std::string home = scratchHome();
    const pid_t holder = lockHeld ? holdLocks(home) : -1;
    double worstChange = 0;
    double worstGameEnd = 0;
    {
        KeptSettings kept;
        for (int round = 0; round < rounds; ++round) {
            Clock::time_point start = Clock::now();
            kept.muteSwitched(round % 2 == 0);
            kept.volumeChanged(round % (GameSettings::kFullVolume + 1));
            kept.integerScaleSwitched(round % 2 != 0);
            worstChange = std::max(worstChange, millisecondsSince(start));

            start = Clock::now();
            kept.recordFinalScoreAway(100L * (round + 1));
            kept.knownScores();
            worstGameEnd = std::max(worstGameEnd, millisecondsSince(start));
            usleep(20000);  // about a frame between two changes
        }
        const Clock::time_point start = Clock::now();
        kept.finish(100);
        std::fprintf(
            report,
            "lock %s: longest change %.3f ms, longest end of game %.3f ms, ending %.0f ms\n",
            lockHeld ? "held" : "free", worstChange, worstGameEnd, millisecondsSince(start));
    }
    if (holder > 0) {
        kill(holder, SIGTERM);
        waitpid(holder, nullptr, 0);
    }
    std::system(("rm -rf '" + home + "'").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    // The program's lines for the games recorded go where the player would
    // see them; the figures alone to standard output.
    const int figures = dup(STDOUT_FILENO);
    FILE* report = figures >= 0 ? fdopen(figures, "w") : nullptr;
    if (report == nullptr || std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    measure(report, false, rounds);
    measure(report, true, rounds);
    std::fclose(report);
    return 0;
}
