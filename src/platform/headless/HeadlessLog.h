#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// What the headless platform saw the program do, in order, each with the game
// time at which it happened. Tests read it to check the shape of a run: which
// passes retrieved a message, where frames were shown, what was created.
enum class HeadlessEvent {
    CreateMainWindow,
    ShowWindow,
    UpdateWindow,
    SetFocus,
    ShowCursor,
    PeekMessage,  // `retrieved` tells whether a message came back
    TranslateMessage,
    DispatchMessage,
    SentMessage,  // delivered to the window procedure outside the queue
    PostQuitMessage,
    BeginPaint,
    EndPaint,
    DefWindowProc,
    VerticalBlank,  // the clock advances here by the frame time
    Present,        // a frame was shown; `value` is its index in frames()
    DirectInputCreate,
    KeyboardRead,
    DirectSoundCreate,
    SoundCooperativeLevel,
    SoundRelease,
};

struct HeadlessRecord {
    HeadlessEvent event;
    std::int32_t gameTime;
    // The message and its wParam, for the message calls.
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    bool retrieved = false;
    // The show command for ShowWindow, the show flag for ShowCursor, the
    // frame index for Present, the version asked for by DirectInputCreate and
    // the level for SoundCooperativeLevel.
    std::int64_t value = 0;
};

class HeadlessLog {
public:
    void add(const HeadlessRecord& record) { records_.push_back(record); }
    void clear() { records_.clear(); }
    const std::vector<HeadlessRecord>& records() const { return records_; }
    std::size_t count(HeadlessEvent event) const;
    // Index of the first record of that kind at or after `from`; size() if none.
    std::size_t find(HeadlessEvent event, std::size_t from = 0) const;
    std::size_t size() const { return records_.size(); }
    const HeadlessRecord& operator[](std::size_t i) const { return records_[i]; }

private:
    std::vector<HeadlessRecord> records_;
};
