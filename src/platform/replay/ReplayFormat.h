#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A replay file: what the game read through its seams during one recorded
// stretch of play, in the order it read it, so that the same reads given back
// give the same game. Plain C++17 for every build and the harness.
//
// Layout (little-endian, varints are LEB128, signed ones zigzagged):
//   8 bytes   magic "ZRPLAY" 0x1A 0x00
//   varint    format version (kReplayFormatVersion)
//   varint n  build version, n <= 32 bytes of text
//   8 bytes   fingerprint of the pictures and the game's constants
//   varint    date, seconds since 1970
//   svarint   final score
//   varint    where it starts (ReplayStart)
//   varint    size of the event stream when unpacked (<= kMaxReplayEvents)
//   rest      the event stream, packed (ReplayPacking.h)
// The event stream is a run of events, each a kind byte and its fields:
//   Tick      svarint change from the previous tick count (the first from 0)
//   State     device, svarint result, and when the result is DI_OK the bytes
//             that changed from that device's previous snapshot, as runs:
//             varint run count, then per run varint skip, varint length, bytes
//   Result    device, which call (Acquire, Poll), svarint result
//   NoMessage PeekMessageA found nothing
//   Message   varint message, varint wParam, svarint lParam
//   Frame     4 bytes: the hash of the frame shown (about once a second)

constexpr std::uint32_t kReplayFormatVersion = 1;
// Bounds on what a reader accepts, far above a long game (a five-minute game
// is a few kilobytes packed), so hostile input cannot ask for much memory.
constexpr std::size_t kMaxReplayFileBytes = 2u << 20;
constexpr std::size_t kMaxReplayEvents = 8u << 20;
constexpr std::size_t kMaxBuildVersion = 32;
// The devices a replay tells apart (the keyboard and a few pads), and the
// largest snapshot one gives (the keyboard's 256 bytes).
constexpr int kReplayDevices = 8;
constexpr std::size_t kMaxSnapshot = 256;

enum class ReplayEventKind : std::uint8_t {
    Tick = 1,
    State = 2,
    Result = 3,
    NoMessage = 4,
    Message = 5,
    Frame = 6,
};

enum class ReplayCall : std::uint8_t { Acquire = 0, Poll = 1 };

// Where in a run the recording began: with the run itself (the intro and the
// title, then the first game), or at the get-ready of a game that followed
// another, which a player reaches by ending a first game on the title.
enum class ReplayStart : std::uint8_t { RunStart = 0, GetReady = 1 };

struct ReplayHeader {
    std::uint32_t formatVersion = kReplayFormatVersion;
    std::string buildVersion;
    std::uint64_t fingerprint = 0;
    std::uint64_t date = 0;
    std::int32_t score = 0;
    ReplayStart start = ReplayStart::RunStart;
};

// One event as read back; `snapshot` points into the reader's copy of that
// device's bytes and stays valid until the next event.
struct ReplayEvent {
    ReplayEventKind kind = ReplayEventKind::NoMessage;
    std::uint32_t tick = 0;
    int device = 0;
    ReplayCall call = ReplayCall::Acquire;
    std::int32_t result = 0;
    const std::uint8_t* snapshot = nullptr;
    std::size_t snapshotSize = 0;
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
    std::uint32_t frameHash = 0;
};

// Appends events, keeping what the deltas are taken against.
class ReplayEventWriter {
public:
    void tick(std::uint32_t value);
    void state(int device, std::int32_t result, const void* data, std::size_t size);
    void result(int device, ReplayCall call, std::int32_t result);
    void noMessage();
    void message(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam);
    void frame(std::uint32_t hash);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::uint32_t lastTick() const { return lastTick_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t lastTick_ = 0;
    std::uint8_t snapshots_[kReplayDevices][kMaxSnapshot] = {};
};

// Reads events back from an unpacked stream; never reads past its end.
class ReplayEventReader {
public:
    explicit ReplayEventReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    // False at the end, or on a malformed event (then error() says why).
    bool next(ReplayEvent& event);
    // The kind of the next event without reading it; false at the end.
    bool peekKind(ReplayEventKind& kind) const;
    bool atEnd() const { return at_ >= bytes_.size(); }
    const std::string& error() const { return error_; }

private:
    bool fail(const char* why);
    // A device read's changed bytes, into its device's snapshot.
    bool readChanges(ReplayEvent& event);

    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
    std::uint32_t lastTick_ = 0;
    std::uint8_t snapshots_[kReplayDevices][kMaxSnapshot] = {};
    std::string error_;
};

struct ReplayData {
    ReplayHeader header;
    std::vector<std::uint8_t> events;
};

// The whole file, packed.
std::vector<std::uint8_t> writeReplay(const ReplayHeader& header,
                                      const std::vector<std::uint8_t>& events);
// Reads and checks a whole file, every event included, so that a replay that
// loads never meets a malformed event while it plays. False with a message
// for a player in `error` on anything wrong.
bool readReplay(const std::uint8_t* data, std::size_t size, ReplayData& out, std::string& error);
