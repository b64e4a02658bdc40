#pragma once

#include <cstddef>
#include <string>

// Reading and replacing the small text files the Linux game keeps between
// runs, so that no moment of a crash, a full disk or a second copy of the
// game saving at the same time can leave a file half-written or lost.

// What reading a kept file found.
enum class ReadOutcome {
    Read,      // the whole file is in `text`
    Missing,   // there is no file (a first run)
    TooLarge,  // larger than the limit: left unread, as a file we did not write
    Failed,    // not a plain file, or unreadable; `error` says why
};

// Reads at most `limit` bytes of the plain file at `path`. Something that is
// not a plain file (a folder, a pipe) is never opened for long enough to
// block, and a file that grows past the limit while it is read counts as too
// large.
ReadOutcome readSmallFile(const std::string& path, std::size_t limit, std::string* text,
                          std::string* error);

// Replaces the file at `path` with `text`, whole: the text goes into a new
// file of a name no other writer uses, beside the target, is flushed to the
// disk, and is renamed over the target; then the folder is flushed, so the
// rename itself survives a power cut. At every moment the target is the old
// file or the new one. On failure the target is untouched, the new file is
// removed, and `error` says why. The new file keeps the old one's mode. A
// target that is a symbolic link (a player's dotfiles) has the file it
// points at replaced, and keeps the link; a link whose file does not exist
// yet has it made where the link says (linkedFile).
bool replaceFileWhole(const std::string& path, const std::string& text, std::string* error);

// The file a symbolic link at `path` names, following links in turn, also
// when that file does not exist (yet); `path` itself when it is no link.
std::string linkedFile(const std::string& path);

// Moves an unreadable file out of the way without overwriting anything:
// `path` becomes `path.bad`, or `path.bad-2`, `path.bad-3`... when an earlier
// one is already kept. The name it got is in `keptAs`. False when it could
// not be moved; the file is then still at `path`. Through a symbolic link,
// the file the link names is moved aside, beside itself, and the link stays.
bool keepAside(const std::string& path, std::string* keptAs, std::string* error);

// Keeps a copy of a file's `text` under the first free name of those above,
// with the file's mode, flushed to the disk; the file itself stays.
bool keepCopyAside(const std::string& path, const std::string& text, std::string* keptAs,
                   std::string* error);

// Makes the folder and any missing parent, for the player only (0700).
bool makeFolders(const std::string& folder, std::string* error);

// The folder part of a path ("." when there is none).
std::string folderOf(const std::string& path);

// Holds an exclusive lock on a folder while it lives, so that one copy of the
// game reads, changes and rewrites a file there while another waits: two
// copies recording a score at once both keep theirs. Another holder is
// waited for `waitMilliseconds` at most: a copy of the game stopped while it
// held the lock must not hold this one for ever; busy() then says so, and
// the holder does without the file. Where the lock cannot be taken for any
// other reason the holder goes on without it (the rewrite stays whole
// either way).
class FolderLock {
public:
    static constexpr int kWaitMilliseconds = 2000;

    explicit FolderLock(const std::string& folder, int waitMilliseconds = kWaitMilliseconds);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool busy() const { return busy_; }

private:
    int fd_ = -1;
    bool busy_ = false;
};
