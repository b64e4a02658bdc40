#include "platform/replay/ReplayTape.h"

#include <cstdio>
#include <cstring>

#include "platform/replay/ReplayFingerprint.h"

namespace {

// DirectInput's and the shell's values, as the game reads them.
constexpr std::int32_t kOk = 0;
constexpr std::uint32_t kQuitMessage = 0x0012;
constexpr int kEscapeKey = 0x01;
constexpr std::size_t kKeyboardBytes = 256;
// How far each tick leaps while a run unwinds: past any screen's wait.
constexpr std::uint32_t kUnwindLeap = 3600000;

std::string notMatchingLine(std::int32_t gameTime) {
    const std::int32_t seconds = gameTime / 1000;
    char line[64];
    std::snprintf(line, sizeof line, "this replay does not match from %02d:%02d",
                  static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
    return line;
}

}  // namespace

std::uint32_t replayFrameHash(const void* pixels, std::size_t bytes) {
    // FNV-1a taken eight bytes at a time (little-endian in every build), so
    // that a frame check costs the game thread a fraction of a millisecond.
    const auto* at = static_cast<const std::uint8_t*>(pixels);
    std::uint64_t hash = 0xcbf29ce484222325ull;
    std::size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, at + i, 8);
        hash = (hash ^ word) * 0x100000001b3ull;
        // Carries the high bits down, which the multiply alone never does.
        hash ^= hash >> 29;
    }
    hash = fnv1a64(at + i, bytes - i, hash);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

void ReplayTape::startRecording(bool fromRunStart) {
    stop();
    writer_ = std::make_unique<ReplayEventWriter>();
    if (fromRunStart) gameWriter_ = std::make_unique<ReplayEventWriter>();
    inGame_ = !fromRunStart;
    mode_ = Mode::Recording;
}

const std::vector<std::uint8_t>& ReplayTape::gameEvents() const {
    static const std::vector<std::uint8_t> kNone;
    if (mode_ != Mode::Recording || !writer_) return kNone;
    return gameWriter_ ? gameWriter_->bytes() : writer_->bytes();
}

std::vector<std::uint8_t> ReplayTape::finishRecording(const ReplayHeader& header) {
    std::vector<std::uint8_t> file;
    if (mode_ == Mode::Recording && writer_) file = writeReplay(header, writer_->bytes());
    stop();
    return file;
}

bool ReplayTape::startPlaying(ReplayData replay, std::uint64_t expectedFingerprint, bool endsRun) {
    stop();
    endsRun_ = endsRun;
    if (replay.header.fingerprint != expectedFingerprint) {
        mismatch_ = "this replay was recorded by another version of Zorbanix";
        return false;
    }
    replay_ = std::move(replay);
    reader_ = std::make_unique<ReplayEventReader>(replay_.events);
    mode_ = Mode::Playing;
    return true;
}

void ReplayTape::leadIn() {
    stop();
    mode_ = Mode::LeadingIn;
}

void ReplayTape::stop() {
    mode_ = Mode::Idle;
    writer_.reset();
    gameWriter_.reset();
    madeTicks_.clear();
    readOtherThanTicks_ = false;
    endsRun_ = true;
    reader_.reset();
    replay_ = ReplayData();
    firstTickSeen_ = false;
    checked_ = false;
    mismatch_.clear();
    playedToEnd_ = false;
    stoppedByPlayer_ = false;
}

std::int32_t ReplayTape::replayTime() const {
    return firstTickSeen_ ? static_cast<std::int32_t>(lastTick_ - firstTick_) : 0;
}

void ReplayTape::failAt(const std::string& line) {
    if (mismatch_.empty()) mismatch_ = line;
    unwind();
}

void ReplayTape::unwind() {
    reader_.reset();
    mode_ = Mode::Unwinding;
}

bool ReplayTape::nextEvent(ReplayEventKind kind, ReplayEvent& event) {
    if (!reader_->next(event)) {
        // The events ran out: the recording ended here.
        playedToEnd_ = true;
        unwind();
        return false;
    }
    if (event.kind == kind) return true;
    failAt(notMatchingLine(replayTime()));
    return false;
}

std::uint32_t ReplayTape::tick(std::uint32_t real) {
    switch (mode_) {
        case Mode::Idle:
            return real;
        case Mode::Recording:
            lastTick_ = real;
            if (!firstTickSeen_) firstTick_ = real;
            firstTickSeen_ = true;
            writer_->tick(real - startTick_);
            if (gameWriter_) gameWriter_->tick(real - startTick_);
            if (madeTicks_.size() < kGameMakingTicks && !readOtherThanTicks_) {
                madeTicks_.push_back(real - startTick_);
            }
            // A game far longer than any played is not kept rather than
            // kept unreadable.
            if (writer_->bytes().size() > kMaxReplayEvents - kMaxSnapshot * 4) {
                writer_.reset();
                gameWriter_.reset();
                mode_ = Mode::Idle;
            }
            return real;
        case Mode::Playing: {
            ReplayEvent event;
            if (nextEvent(ReplayEventKind::Tick, event)) {
                lastTick_ = startTick_ + event.tick;
                if (!firstTickSeen_) firstTick_ = lastTick_;
                firstTickSeen_ = true;
                return lastTick_;
            }
            break;
        }
        case Mode::LeadingIn:
        case Mode::Unwinding:
            break;
    }
    lastTick_ += kUnwindLeap;
    return lastTick_;
}

std::int32_t ReplayTape::state(int device, std::int32_t real, void* data, std::size_t size) {
    if (device >= kReplayDevices || size > kMaxSnapshot) return real;
    switch (mode_) {
        case Mode::Idle:
            return real;
        case Mode::Recording:
            writer_->state(device, real, data, size);
            readOtherThanTicks_ = true;
            if (gameWriter_) gameWriter_->state(device, real, data, size);
            return real;
        case Mode::Playing: {
            const auto* keys = static_cast<const std::uint8_t*>(data);
            if (real == kOk && keys && size == kKeyboardBytes && (keys[kEscapeKey] & 0x80)) {
                stoppedByPlayer_ = true;
                unwind();
                break;
            }
            ReplayEvent event;
            if (nextEvent(ReplayEventKind::State, event)) {
                if (event.device != device) {
                    failAt(notMatchingLine(replayTime()));
                } else {
                    if (event.result == kOk && data) std::memcpy(data, event.snapshot, size);
                    return event.result;
                }
            }
            break;
        }
        case Mode::LeadingIn:
        case Mode::Unwinding:
            break;
    }
    // Unwinding: nothing but Escape, which ends a title and a game.
    if (!data) return kOk;
    std::memset(data, 0, size);
    if (size == kKeyboardBytes) static_cast<std::uint8_t*>(data)[kEscapeKey] = 0x80;
    return kOk;
}

std::int32_t ReplayTape::result(int device, ReplayCall call, std::int32_t real) {
    if (device >= kReplayDevices) return real;
    switch (mode_) {
        case Mode::Idle:
            return real;
        case Mode::Recording:
            writer_->result(device, call, real);
            readOtherThanTicks_ = true;
            if (gameWriter_) gameWriter_->result(device, call, real);
            return real;
        case Mode::Playing: {
            ReplayEvent event;
            if (nextEvent(ReplayEventKind::Result, event) && event.device == device &&
                event.call == call) {
                return event.result;
            }
            break;
        }
        case Mode::LeadingIn:
        case Mode::Unwinding:
            break;
    }
    return kOk;
}

bool ReplayTape::message(bool realFound, std::uint32_t& message, std::uintptr_t& wParam,
                         std::intptr_t& lParam) {
    switch (mode_) {
        case Mode::Idle:
            return realFound;
        case Mode::Recording:
            // The intro and the title take no messages: the run loop's
            // first pass is the first game's.
            inGame_ = true;
            for (ReplayEventWriter* writer : {writer_.get(), gameWriter_.get()}) {
                if (writer == nullptr) continue;
                if (realFound) {
                    writer->message(message, static_cast<std::uint32_t>(wParam),
                                    static_cast<std::int32_t>(lParam));
                } else {
                    writer->noMessage();
                }
            }
            return realFound;
        case Mode::Playing: {
            // The player's own quit ends the replay.
            if (realFound && message == kQuitMessage) {
                stoppedByPlayer_ = true;
                unwind();
                return true;
            }
            ReplayEventKind kind = ReplayEventKind::NoMessage;
            if (reader_->peekKind(kind) && kind == ReplayEventKind::Message) {
                ReplayEvent event;
                reader_->next(event);
                message = event.message;
                wParam = event.wParam;
                lParam = event.lParam;
                return true;
            }
            ReplayEvent event;
            if (nextEvent(ReplayEventKind::NoMessage, event)) return false;
            break;
        }
        case Mode::Unwinding:
            if (endsRun_) break;
            // Ending the replay's game only: as leading in.
            [[fallthrough]];
        case Mode::LeadingIn:
            // Only the player's quit, which ends the run.
            return realFound && message == kQuitMessage;
    }
    message = kQuitMessage;
    wParam = 0;
    lParam = 0;
    return true;
}

void ReplayTape::frameShown(const void* pixels, std::size_t bytes) {
    if (mode_ == Mode::Recording) {
        if (!inGame_) {
            // What the first game read when it was made, before the intro,
            // stands where a game the hook starts reads it.
            gameWriter_ = std::make_unique<ReplayEventWriter>();
            for (std::uint32_t made : madeTicks_) gameWriter_->tick(made);
        }
        if (checked_ && static_cast<std::int32_t>(lastTick_ - lastCheck_) < kCheckEvery) return;
        checked_ = true;
        lastCheck_ = lastTick_;
        const std::uint32_t hash = replayFrameHash(pixels, bytes);
        writer_->frame(hash);
        if (gameWriter_ && inGame_) gameWriter_->frame(hash);
        return;
    }
    if (mode_ != Mode::Playing) return;
    ReplayEventKind kind = ReplayEventKind::Tick;
    if (!reader_->peekKind(kind) || kind != ReplayEventKind::Frame) return;
    ReplayEvent event;
    reader_->next(event);
    if (event.frameHash == replayFrameHash(pixels, bytes)) return;
    failAt(notMatchingLine(replayTime()));
}
