#include "platform/sdl/settings/KeptFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/sdl/settings/SavedFile.h"

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

KeptFile::KeptFile(std::string path, std::string what, Check check, Complaint complain)
    : path_(std::move(path)),
      what_(std::move(what)),
      check_(std::move(check)),
      complain_(std::move(complain)) {
    if (path_.empty()) blocked_ = true;
}

void KeptFile::say(const std::string& line) const {
    if (complain_) {
        complain_(line);
    } else {
        std::fprintf(stderr, "zorbanix: %s\n", line.c_str());
    }
}

bool KeptFile::read(KeptText* text) {
    std::string bytes;
    std::string error;
    switch (readSmallFile(path_, KeptText::kLimit, &bytes, &error)) {
        case ReadOutcome::Missing:
            return true;
        case ReadOutcome::Failed:
            say("the " + what_ + " file cannot be read (" + error +
                "); it is left as it is, and nothing is saved this time");
            blocked_ = true;
            return false;
        case ReadOutcome::TooLarge:
            error = "larger than " + std::to_string(KeptText::kLimit / 1024) + " KiB";
            break;
        case ReadOutcome::Read:
            if (text->parse(bytes, &error) && (!check_ || check_(*text, &error))) return true;
            break;
    }
    *text = KeptText();
    std::string keptAs;
    std::string moveError;
    if (keepAside(path_, &keptAs, &moveError)) {
        say(path_ + " is not a " + what_ + " file (" + error + "): kept it as " + keptAs +
            " and started from the defaults");
        return true;
    }
    say(path_ + " is not a " + what_ + " file (" + error + ") and could not be moved aside (" +
        moveError + "): it is left as it is, and nothing is saved this time");
    blocked_ = true;
    return false;
}

KeptText KeptFile::load() {
    KeptText text;
    if (!blocked_) read(&text);
    return text;
}

bool KeptFile::update(const std::function<void(KeptText&)>& change) {
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
        const FolderLock lock(folder);
        KeptText text;
        if (!read(&text)) return false;
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
