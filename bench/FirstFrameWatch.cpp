// Time from starting a program to its first picture on an Xvfb screen.
//
//     zorbanix_first_frame FRAMEBUFFER TIMEOUT_MS COMMAND [ARGUMENT...]
//
// FRAMEBUFFER is the screen file of an Xvfb started with -fbdir and -br (a
// black root window): Xvfb keeps its screen in that file, in XWD format, so
// the screen can be watched without asking the X server anything and
// without any help from the program. The command is started in a process
// group of its own; the moment any pixel of the screen stops being black
// is taken as the first frame shown. The milliseconds from the start are
// printed, then the group is sent SIGTERM, and SIGKILL if it lingers. Exit code 0 on a frame, 1
// when the command ended or the time ran out first, 2 on bad use.

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

std::uint32_t bigEndian(const unsigned char* at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
           at[3];
}

struct Screen {
    const unsigned char* pixels = nullptr;
    std::size_t bytes = 0;
};

// The pixel block of an XWD file: after the header and the colour table
// (12 bytes a colour), bytes_per_line times height bytes.
bool findPixels(const unsigned char* file, std::size_t size, Screen* screen) {
    constexpr std::size_t kHeaderFields = 25;
    if (size < kHeaderFields * 4) return false;
    const std::uint32_t headerSize = bigEndian(file);
    const std::uint32_t height = bigEndian(file + 5 * 4);
    const std::uint32_t bytesPerLine = bigEndian(file + 12 * 4);
    const std::uint32_t colours = bigEndian(file + 19 * 4);
    const std::size_t start = std::size_t{headerSize} + std::size_t{colours} * 12;
    const std::size_t bytes = std::size_t{bytesPerLine} * height;
    if (headerSize < kHeaderFields * 4 || start > size || bytes > size - start) return false;
    screen->pixels = file + start;
    screen->bytes = bytes;
    return true;
}

bool anythingShown(const Screen& screen) {
    // Word by word; the block starts 4-byte aligned in practice, and a
    // memcpy keeps it correct if it does not.
    std::size_t at = 0;
    for (; at + 8 <= screen.bytes; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, screen.pixels + at, 8);
        if (word != 0) return true;
    }
    for (; at < screen.bytes; ++at) {
        if (screen.pixels[at] != 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FRAMEBUFFER TIMEOUT_MS COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const int fd = open(argv[1], O_RDONLY);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_size <= 0) {
        std::fprintf(stderr, "cannot read the screen file %s\n", argv[1]);
        return 2;
    }
    const std::size_t size = static_cast<std::size_t>(info.st_size);
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    Screen screen;
    if (mapped == MAP_FAILED ||
        !findPixels(static_cast<const unsigned char*>(mapped), size, &screen)) {
        std::fprintf(stderr, "%s is not an XWD screen file\n", argv[1]);
        return 2;
    }
    if (anythingShown(screen)) {
        std::fprintf(stderr, "the screen is not black before the start (Xvfb without -br?)\n");
        return 2;
    }
    const auto limit = std::chrono::milliseconds(std::atol(argv[2]));

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const Clock::time_point started = Clock::now();
    if (posix_spawnp(&child, argv[3], nullptr, &attributes, argv + 3, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[3]);
        return 2;
    }

    int result = 1;
    for (;;) {
        if (anythingShown(screen)) {
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - started).count();
            std::printf("%.1f\n", ms);
            std::fflush(stdout);
            result = 0;
            break;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "%s ended before showing anything\n", argv[3]);
            child = 0;
            break;
        }
        if (Clock::now() - started > limit) {
            std::fprintf(stderr, "nothing shown within %s ms\n", argv[2]);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (child > 0) {
        // A game on its title screen reads no window messages, so it may
        // not heed SIGTERM: after a moment it is killed.
        kill(-child, SIGTERM);
        const Clock::time_point asked = Clock::now();
        while (waitpid(child, nullptr, WNOHANG) == 0) {
            if (Clock::now() - asked > std::chrono::seconds(2)) {
                kill(-child, SIGKILL);
                waitpid(child, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return result;
}
