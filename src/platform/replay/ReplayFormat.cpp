#include "platform/replay/ReplayFormat.h"

#include <algorithm>
#include <cstring>

#include "platform/replay/ReplayPacking.h"

namespace {

constexpr std::uint8_t kMagic[8] = {'Z', 'R', 'P', 'L', 'A', 'Y', 0x1A, 0x00};
constexpr std::int32_t kDeviceStateOk = 0;

void putFixed(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint64_t getFixed(const std::uint8_t* data, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(data[i]) << (8 * i);
    return value;
}

void putKind(std::vector<std::uint8_t>& out, ReplayEventKind kind) {
    out.push_back(static_cast<std::uint8_t>(kind));
}

}  // namespace

void ReplayEventWriter::tick(std::uint32_t value) {
    putKind(bytes_, ReplayEventKind::Tick);
    putSignedVarint(bytes_, static_cast<std::int32_t>(value - lastTick_));
    lastTick_ = value;
}

void ReplayEventWriter::state(int device, std::int32_t result, const void* data, std::size_t size) {
    putKind(bytes_, ReplayEventKind::State);
    bytes_.push_back(static_cast<std::uint8_t>(device));
    putSignedVarint(bytes_, result);
    if (result != kDeviceStateOk) return;
    size = std::min(size, kMaxSnapshot);
    const auto* now = static_cast<const std::uint8_t*>(data);
    std::uint8_t* before = snapshots_[device];
    // The runs of changed bytes, each told by its distance from the last.
    std::vector<std::uint8_t> runs;
    std::size_t runCount = 0;
    std::size_t end = 0;
    for (std::size_t at = 0; at < size;) {
        if (now[at] == before[at]) {
            ++at;
            continue;
        }
        std::size_t stop = at;
        while (stop < size && now[stop] != before[stop]) ++stop;
        putVarint(runs, at - end);
        putVarint(runs, stop - at);
        runs.insert(runs.end(), now + at, now + stop);
        ++runCount;
        end = stop;
        at = stop;
    }
    putVarint(bytes_, runCount);
    bytes_.insert(bytes_.end(), runs.begin(), runs.end());
    std::memcpy(before, now, size);
}

void ReplayEventWriter::result(int device, ReplayCall call, std::int32_t result) {
    putKind(bytes_, ReplayEventKind::Result);
    bytes_.push_back(static_cast<std::uint8_t>(device));
    bytes_.push_back(static_cast<std::uint8_t>(call));
    putSignedVarint(bytes_, result);
}

void ReplayEventWriter::noMessage() { putKind(bytes_, ReplayEventKind::NoMessage); }

void ReplayEventWriter::message(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) {
    putKind(bytes_, ReplayEventKind::Message);
    putVarint(bytes_, message);
    putVarint(bytes_, wParam);
    putSignedVarint(bytes_, lParam);
}

void ReplayEventWriter::frame(std::uint32_t hash) {
    putKind(bytes_, ReplayEventKind::Frame);
    putFixed(bytes_, hash, 4);
}

bool ReplayEventReader::fail(const char* why) {
    error_ = why;
    at_ = bytes_.size();
    return false;
}

bool ReplayEventReader::peekKind(ReplayEventKind& kind) const {
    if (at_ >= bytes_.size()) return false;
    kind = static_cast<ReplayEventKind>(bytes_[at_]);
    return true;
}

bool ReplayEventReader::readChanges(ReplayEvent& event) {
    const std::uint8_t* data = bytes_.data();
    const std::size_t size = bytes_.size();
    event.snapshot = snapshots_[event.device];
    event.snapshotSize = kMaxSnapshot;
    if (event.result != kDeviceStateOk) return true;
    std::uint64_t runs = 0;
    if (!getVarint(data, size, at_, runs) || runs > kMaxSnapshot) {
        return fail("a device read has too many changes");
    }
    std::size_t end = 0;
    for (std::uint64_t run = 0; run < runs; ++run) {
        std::uint64_t skip = 0;
        std::uint64_t length = 0;
        if (!getVarint(data, size, at_, skip) || !getVarint(data, size, at_, length) ||
            skip > kMaxSnapshot - end || length > kMaxSnapshot - end - skip ||
            length > size - at_) {
            return fail("a device read's changes do not fit");
        }
        end += static_cast<std::size_t>(skip);
        std::memcpy(snapshots_[event.device] + end, data + at_, length);
        end += static_cast<std::size_t>(length);
        at_ += static_cast<std::size_t>(length);
    }
    return true;
}

bool ReplayEventReader::next(ReplayEvent& event) {
    if (at_ >= bytes_.size()) return false;
    const std::uint8_t* data = bytes_.data();
    const std::size_t size = bytes_.size();
    event = ReplayEvent();
    event.kind = static_cast<ReplayEventKind>(data[at_++]);
    std::uint64_t u = 0;
    std::int64_t s = 0;
    auto signed32 = [&](std::int32_t& to) {
        if (!getSignedVarint(data, size, at_, s) || s < INT32_MIN || s > INT32_MAX) return false;
        to = static_cast<std::int32_t>(s);
        return true;
    };
    auto unsigned32 = [&](std::uint32_t& to) {
        if (!getVarint(data, size, at_, u) || u > UINT32_MAX) return false;
        to = static_cast<std::uint32_t>(u);
        return true;
    };
    auto device = [&]() {
        if (at_ >= size || data[at_] >= kReplayDevices) return false;
        event.device = data[at_++];
        return true;
    };
    switch (event.kind) {
        case ReplayEventKind::Tick: {
            std::int32_t change = 0;
            if (!signed32(change)) return fail("a tick count is cut short");
            lastTick_ += static_cast<std::uint32_t>(change);
            event.tick = lastTick_;
            return true;
        }
        case ReplayEventKind::State:
            if (!device() || !signed32(event.result)) return fail("a device read is cut short");
            return readChanges(event);
        case ReplayEventKind::Result:
            if (!device() || at_ >= size || data[at_] > 1) return fail("a device call is bad");
            event.call = static_cast<ReplayCall>(data[at_++]);
            if (!signed32(event.result)) return fail("a device call is cut short");
            return true;
        case ReplayEventKind::NoMessage:
            return true;
        case ReplayEventKind::Message:
            if (!unsigned32(event.message) || !unsigned32(event.wParam) ||
                !signed32(event.lParam)) {
                return fail("a message is cut short");
            }
            return true;
        case ReplayEventKind::Frame:
            if (size - at_ < 4) return fail("a frame check is cut short");
            event.frameHash = static_cast<std::uint32_t>(getFixed(data + at_, 4));
            at_ += 4;
            return true;
    }
    return fail("an event of an unknown kind");
}

std::vector<std::uint8_t> writeReplay(const ReplayHeader& header,
                                      const std::vector<std::uint8_t>& events) {
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    putVarint(out, header.formatVersion);
    const std::size_t versionLength = std::min(header.buildVersion.size(), kMaxBuildVersion);
    putVarint(out, versionLength);
    out.insert(out.end(), header.buildVersion.begin(),
               header.buildVersion.begin() + static_cast<std::ptrdiff_t>(versionLength));
    putFixed(out, header.fingerprint, 8);
    putVarint(out, header.date);
    putSignedVarint(out, header.score);
    putVarint(out, static_cast<std::uint8_t>(header.start));
    putVarint(out, events.size());
    const std::vector<std::uint8_t> packed = packReplayBytes(events);
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

bool readReplay(const std::uint8_t* data, std::size_t size, ReplayData& out, std::string& error) {
    out = ReplayData();
    if (!data || size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) {
        error = "this is not a Zorbanix replay";
        return false;
    }
    if (size > kMaxReplayFileBytes) {
        error = "this replay is too large";
        return false;
    }
    std::size_t at = sizeof kMagic;
    std::uint64_t version = 0;
    std::uint64_t versionLength = 0;
    std::int64_t score = 0;
    std::uint64_t eventBytes = 0;
    std::uint64_t start = 0;
    const bool headerRead = getVarint(data, size, at, version) && version == kReplayFormatVersion &&
                            getVarint(data, size, at, versionLength) &&
                            versionLength <= kMaxBuildVersion && versionLength + 8 <= size - at;
    if (!headerRead) {
        error = version > kReplayFormatVersion
                    ? "this replay was recorded by a newer version of Zorbanix"
                    : "this replay is damaged (its header)";
        return false;
    }
    out.header.formatVersion = static_cast<std::uint32_t>(version);
    out.header.buildVersion.assign(reinterpret_cast<const char*>(data + at), versionLength);
    at += static_cast<std::size_t>(versionLength);
    out.header.fingerprint = getFixed(data + at, 8);
    at += 8;
    if (!getVarint(data, size, at, out.header.date) || !getSignedVarint(data, size, at, score) ||
        score < INT32_MIN || score > INT32_MAX || !getVarint(data, size, at, start) ||
        start > static_cast<std::uint8_t>(ReplayStart::GetReady) ||
        !getVarint(data, size, at, eventBytes) || eventBytes > kMaxReplayEvents) {
        error = "this replay is damaged (its header)";
        return false;
    }
    out.header.score = static_cast<std::int32_t>(score);
    out.header.start = static_cast<ReplayStart>(start);
    if (!unpackReplayBytes(data + at, size - at, static_cast<std::size_t>(eventBytes),
                           out.events)) {
        error = "this replay is damaged (its events)";
        return false;
    }
    ReplayEventReader reader(out.events);
    ReplayEvent event;
    while (reader.next(event)) {
    }
    if (!reader.error().empty()) {
        error = "this replay is damaged (" + reader.error() + ")";
        return false;
    }
    return true;
}
