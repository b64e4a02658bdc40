#include "platform/sdl/settings/KeptFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

std::string home() {
    const char* variable = std::getenv("HOME");
    if (variable && variable[0] == '/') return variable;
    if (const passwd* entry = getpwuid(getuid())) {
        if (entry->pw_dir && entry->pw_dir[0] == '/') return entry->pw_dir;
    }
    return {};
}

std::string xdgFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return std::string(value) + "/zorbanix";
    const std::string base = home();
    return base.empty() ? std::string() : base + fallback + "/zorbanix";
}

}  // namespace

std::string configFolder() { return xdgFolder("XDG_CONFIG_HOME", "/.config"); }
std::string dataFolder() { return xdgFolder("XDG_DATA_HOME", "/.local/share"); }

KeptFile::KeptFile(std::string path, std::string what, Check check, Complaint complain, Mend mend)
    : path_(std::move(path)),
      what_(std::move(what)),
      check_(std::move(check)),
      complain_(std::move(complain)),
      mend_(std::move(mend)) {
    if (path_.empty()) blocked_ = true;
}

void KeptFile::say(const std::string& line) const {
    if (complain_) {
        complain_(line);
    } else {
        std::fprintf(stderr, "zorbanix: %s\n", line.c_str());
    }
}

// `locked`: the folder's lock is held, so a bad file may be set aside (else
// another copy of the game may be saving a good one over it). `writeMended`:
// a file with values taken out is written back here (update() writes it
// itself, changed).
bool KeptFile::read(KeptText* text, bool locked, bool writeMended) {
    std::string bytes;
    std::string error;
    switch (readSmallFile(path_, KeptText::kLimit, &bytes, &error)) {
        case ReadOutcome::Missing:
            return true;
        case ReadOutcome::Failed:
            say("the " + what_ + " file cannot be read (" + error +
                "); it is left as it is, and nothing is saved this time");
            blocked_ = true;
            unreadable_ = true;
            return false;
        case ReadOutcome::TooLarge:
            error = "larger than " + std::to_string(KeptText::kLimit / 1024) + " KiB";
            break;
        case ReadOutcome::Read: {
            if (!text->parse(bytes, &error)) break;
            if (!check_ || check_(*text, &error)) return true;
            std::string dropped;
            if (!mend_ || !mend_(*text, &dropped)) break;
            // Only what the game cannot read goes; the player's other lines
            // and comments stay, and the file as it was is kept aside too.
            std::string keptAs;
            std::string copyError;
            if (!locked || !keepCopyAside(path_, bytes, &keptAs, &copyError)) {
                say(path_ + ": ignored " + dropped + " (not values the game reads)" +
                    (locked ? "; could not keep a copy of the file (" + copyError + ")"
                            : "; another copy of the game is saving it") +
                    ": it is left as it is, and nothing is saved this time");
                blocked_ = true;
                return false;
            }
            std::string writeError;
            const bool mended = !writeMended || replaceFileWhole(path_, text->text(), &writeError);
            say(path_ + ": ignored " + dropped + " (not values the game reads) and kept the rest" +
                (mended ? "" : " (not rewritten: " + writeError + ")") +
                "; the file as it was is " + keptAs);
            return true;
        }
    }
    *text = KeptText();
    std::string keptAs;
    std::string moveError = "another copy of the game is saving it";
    if (locked && keepAside(path_, &keptAs, &moveError)) {
        say(path_ + " is not a " + what_ + " file (" + error + "): kept it as " + keptAs +
            " and started from the defaults");
        return true;
    }
    say(path_ + " is not a " + what_ + " file (" + error + ") and could not be moved aside (" +
        moveError + "): it is left as it is, and nothing is saved this time");
    blocked_ = true;
    unreadable_ = true;
    return false;
}

KeptText KeptFile::load() {
    KeptText text;
    if (blocked_) return text;
    // Read under the lock: a file another copy is saving is judged as it
    // ends up, and a bad one is set aside while no one else writes there.
    const FolderLock lock(folderOf(path_), lockWait_);
    read(&text, !lock.busy(), true);
    return text;
}

bool KeptFile::update(const std::function<void(KeptText&)>& change, bool* busy) {
    if (busy) *busy = false;
    if (path_.empty() && !failedBefore_) {
        say("no home folder (HOME, XDG_CONFIG_HOME, XDG_DATA_HOME) to keep the " + what_ +
            " in; playing on without saving");
        failedBefore_ = true;
    }
    if (blocked_) return false;
    const std::string folder = folderOf(path_);
    std::string error;
    bool written = makeFolders(folder, &error);
    if (written) {
        const FolderLock lock(folder, lockWait_);
        if (lock.busy()) {
            if (busy) {
                *busy = true;
                return false;
            }
            // Said each time: this change is lost, though a later one may
            // be saved.
            say("another copy of the game kept " + folder + " locked for " +
                std::to_string(lockWait_) + " ms: this change to the " + what_ + " is not saved");
            return false;
        }
        KeptText text;
        if (!read(&text, true, false)) return false;
        change(text);
        // A file just under the size the game reads, grown by the lines
        // written here, would be refused and kept aside at the next start:
        // the old file is kept instead, and this change goes unsaved.
        const std::string bytes = text.text();
        if (bytes.size() > KeptText::kLimit) {
            error = "it would grow larger than " + std::to_string(KeptText::kLimit / 1024) + " KiB";
            written = false;
        } else {
            written = replaceFileWhole(path_, bytes, &error);
        }
    }
    if (!written && !failedBefore_) {
        say("could not save the " + what_ + " (" + error + "); playing on without saving");
    }
    failedBefore_ = failedBefore_ || !written;
    return written;
}
