#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Arbitrary bytes put where the Linux game keeps its settings and its best
// scores, then read and saved as the game does. Each feed checks that the
// bytes are never lost (either read as they are, or kept aside byte for
// byte), that what the game does not know survives the rewrite, and that
// the rewritten file reads back as what was saved.
//
// Shared by the fuzzer and by the program that replays saved inputs.
class KeptFilePath {
public:
    KeptFilePath();
    ~KeptFilePath();
    KeptFilePath(const KeptFilePath&) = delete;
    KeptFilePath& operator=(const KeptFilePath&) = delete;

    // False when the scratch folder could not be made.
    bool ready() const { return !folder_.empty(); }

    // False, with what went wrong in `fault`, when a check failed.
    bool feed(const std::uint8_t* data, std::size_t size, std::string* fault);

private:
    void clear() const;
    std::string folder_;
};
