#pragma once

#include <functional>
#include <string>

#include "platform/sdl/settings/KeptText.h"
#include "platform/sdl/settings/SavedFile.h"

// One file the game keeps between runs (the settings, the best scores), with
// what may go wrong around it handled once: a file that cannot be read or
// parsed is kept aside and never overwritten; a folder that cannot be
// written or a full disk costs one line on the error output and the game
// plays on; two copies of the game rewriting it at once each write it whole,
// in turn. Reading, setting aside and rewriting all happen under the
// folder's lock (FolderLock), which another copy of the game holding it
// longer than a moment makes this one do without.
class KeptFile {
public:
    // Where a complaint goes: one line, without its newline.
    using Complaint = std::function<void(const std::string&)>;
    // Whether lines that parse also hold values the game can read; false,
    // with `error`, makes the file one that does not parse.
    using Check = std::function<bool(const KeptText&, std::string* error)>;
    // Takes out the lines whose values the game cannot read, naming them in
    // `dropped`; true when what is left passes the check. None sets every
    // file that fails the check aside whole.
    using Mend = std::function<bool(KeptText&, std::string* dropped)>;

    // `what` names the file in complaints ("settings", "best scores"). An
    // empty `path` (no home folder) keeps nothing.
    KeptFile(std::string path, std::string what, Check check, Complaint complain = {},
             Mend mend = {});

    // The file's lines: none on a first run, and none (after a complaint)
    // when the file was unreadable. A file that does not parse is moved to
    // `<path>.bad` first; one that cannot even be moved is left alone, and
    // nothing is written over it during this run. A file that parses but
    // holds values the game cannot read, which the mend can take out, keeps
    // the rest: a copy of it as it was goes to `<path>.bad`, and it is
    // rewritten without them.
    KeptText load();

    // Rewrites the file under a lock on its folder: reads it again (another
    // copy of the game may have written it since), lets `change` update its
    // lines, and replaces the file whole. False when it could not be written,
    // or would no longer be read back for its size; only the first such
    // failure is reported. With `busy` given, another copy of the game
    // holding the folder's lock past the wait is not reported but set there,
    // for the caller to try again; without, it is reported each time.
    bool update(const std::function<void(KeptText&)>& change, bool* busy = nullptr);

    // The file is there but could not be read (unreadable, or not one of
    // ours and not movable aside): what it holds is not known this run.
    bool unreadable() const { return unreadable_; }

    const std::string& path() const { return path_; }

    // How long another copy of the game holding the folder's lock is waited
    // for, in milliseconds (FolderLock).
    void setLockWait(int milliseconds) { lockWait_ = milliseconds; }

private:
    bool read(KeptText* text, bool locked, bool writeMended);
    void say(const std::string& line) const;

    std::string path_;
    std::string what_;
    Check check_;
    Complaint complain_;
    Mend mend_;
    int lockWait_ = FolderLock::kWaitMilliseconds;
    bool blocked_ = false;
    bool failedBefore_ = false;
    bool unreadable_ = false;
};

// The game's folders for what it keeps, after the XDG base directories:
// `$XDG_CONFIG_HOME/zorbanix` (else `~/.config/zorbanix`) for the settings
// and `$XDG_DATA_HOME/zorbanix` (else `~/.local/share/zorbanix`) for the
// scores. Empty when neither the variable nor a home folder is known. A
// relative path in the variable is ignored, as the XDG rules ask.
std::string configFolder();
std::string dataFolder();
