#include "platform/sdl/settings/SavedFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

std::string reason(const std::string& what, int code) { return what + ": " + std::strerror(code); }

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file's name beside the target: hidden, carrying the writer's process
// id (so a later writer can tell a file left by a killed one) and a number
// no other writer in this process or another one picks.
std::string newFileName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    static const unsigned long salt = std::random_device{}();
    return folderOf(target) + "/." + baseOf(target) + "." + std::to_string(getpid()) + "-" +
           std::to_string(salt) + "-" + std::to_string(counter++) + ".new";
}

// Removes the new files that writers killed before their rename left beside
// the target: those whose process is gone.
void removeLeftovers(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string prefix = "." + baseOf(target) + ".";
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, ".new") != 0) {
            continue;
        }
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid <= 0 || pid > INT_MAX) continue;
        if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::string leftover = folder;
            leftover += '/';
            leftover += name;
            unlink(leftover.c_str());
        }
    }
    closedir(dir);
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

}  // namespace

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string linkedFile(const std::string& path) {
    std::string at = path;
    // As many links in a row as the system itself follows; a loop of links
    // ends there, and then cannot be opened either.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return at;
        char target[PATH_MAX];
        const ssize_t length = readlink(at.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) return at;
        const std::string named(target, static_cast<std::size_t>(length));
        if (named[0] == '/') {
            at = named;
        } else {
            at = folderOf(at);
            at += '/';
            at += named;
        }
    }
    return at;
}

ReadOutcome readSmallFile(const std::string& path, std::size_t limit, std::string* text,
                          std::string* error) {
    text->clear();
    // Non-blocking, so that a pipe or a device at the path cannot hold the
    // game; only a plain file is read.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return ReadOutcome::Missing;
        *error = reason(path, errno);
        return ReadOutcome::Failed;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = path + ": not a plain file";
        close(fd);
        return ReadOutcome::Failed;
    }
    if (static_cast<unsigned long long>(info.st_size) > limit) {
        close(fd);
        return ReadOutcome::TooLarge;
    }
    char chunk[4096];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            *error = reason(path, errno);
            close(fd);
            return ReadOutcome::Failed;
        }
        if (got == 0) break;
        text->append(chunk, static_cast<std::size_t>(got));
        if (text->size() > limit) {
            close(fd);
            text->clear();
            return ReadOutcome::TooLarge;
        }
    }
    close(fd);
    return ReadOutcome::Read;
}

bool replaceFileWhole(const std::string& path, const std::string& text, std::string* error) {
    const std::string target = linkedFile(path);
    removeLeftovers(target);
    // The new file gets the mode the old one had (a player's 0600 stays
    // 0600); it is made for the owner alone until then, so that what it
    // holds is never readable by more than the old file allowed.
    struct stat old;
    const bool replacing = stat(target.c_str(), &old) == 0;
    std::string fresh;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        fresh = newFileName(target);
        fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0644);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        *error = reason(folderOf(target), errno);
        return false;
    }
    if (replacing && fchmod(fd, old.st_mode & 07777) != 0) {
        *error = reason(target, errno);
        close(fd);
        unlink(fresh.c_str());
        return false;
    }
    // The data reach the disk before the name does: a crash after the rename
    // can never show an empty or partial file under the target's name.
    if (!writeAll(fd, text) || fsync(fd) != 0) {
        *error = reason(target, errno);
        close(fd);
        unlink(fresh.c_str());
        return false;
    }
    if (close(fd) != 0) {
        *error = reason(target, errno);
        unlink(fresh.c_str());
        return false;
    }
    if (rename(fresh.c_str(), target.c_str()) != 0) {
        *error = reason(target, errno);
        unlink(fresh.c_str());
        return false;
    }
    const int dir = open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool keepAside(const std::string& path, std::string* keptAs, std::string* error) {
    // Through a symbolic link, the file it names is what is kept aside,
    // beside itself; the link stays, and the next save writes through it.
    const std::string file = linkedFile(path);
    // link() refuses an existing name, so an earlier kept file is never
    // replaced, even by a second copy of the game doing the same.
    for (int n = 1; n <= 99; ++n) {
        const std::string name = file + ".bad" + (n == 1 ? "" : "-" + std::to_string(n));
        if (link(file.c_str(), name.c_str()) == 0) {
            unlink(file.c_str());
            *keptAs = name;
            return true;
        }
        if (errno == EEXIST) continue;
        // A file system without hard links: rename, after checking the name
        // is free (a race here can only replace another kept copy).
        if (errno == EPERM || errno == EOPNOTSUPP) {
            struct stat info;
            if (lstat(name.c_str(), &info) == 0) continue;
            if (rename(file.c_str(), name.c_str()) == 0) {
                *keptAs = name;
                return true;
            }
        }
        *error = reason(file, errno);
        return false;
    }
    *error = file + ": too many earlier copies kept aside";
    return false;
}

bool keepCopyAside(const std::string& path, const std::string& text, std::string* keptAs,
                   std::string* error) {
    const std::string file = linkedFile(path);
    struct stat info;
    const mode_t mode = stat(file.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0600;
    for (int n = 1; n <= 99; ++n) {
        const std::string name = file + ".bad" + (n == 1 ? "" : "-" + std::to_string(n));
        // O_EXCL, like link() above, never replaces an earlier kept copy.
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            *error = reason(name, errno);
            return false;
        }
        // The copy reaches the disk before the file it copies is rewritten.
        const bool written = writeAll(fd, text) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
        const int code = errno;
        if (close(fd) != 0 || !written) {
            *error = reason(name, written ? errno : code);
            unlink(name.c_str());
            return false;
        }
        *keptAs = name;
        return true;
    }
    *error = file + ": too many earlier copies kept aside";
    return false;
}

bool makeFolders(const std::string& folder, std::string* error) {
    std::string sofar;
    std::size_t from = 0;
    while (from <= folder.size()) {
        std::size_t slash = folder.find('/', from);
        if (slash == std::string::npos) slash = folder.size();
        sofar = folder.substr(0, slash);
        from = slash + 1;
        if (sofar.empty()) continue;
        if (mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) {
            *error = reason(sofar, errno);
            return false;
        }
    }
    struct stat info;
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        *error = folder + ": not a folder";
        return false;
    }
    return true;
}

FolderLock::FolderLock(const std::string& folder, int waitMilliseconds)
    : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK && std::chrono::steady_clock::now() < deadline) {
            // Another copy of the game is saving, which takes milliseconds.
            usleep(5000);
            continue;
        }
        busy_ = errno == EWOULDBLOCK;
        close(fd_);
        fd_ = -1;
        return;
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) close(fd_);
}
