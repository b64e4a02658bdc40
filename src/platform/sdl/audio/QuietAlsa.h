#pragma once

// While one lives, the ALSA library's own error printing is held back: on a
// machine with no sound card it prints a heap of lines while SDL looks for a
// device. The program says in one line of its own when it finds none. Once
// the device is open or given up, ALSA reports as usual again.
class QuietAlsa {
public:
    QuietAlsa();
    ~QuietAlsa();
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

    // How many messages were held back.
    static int heldBack();

private:
    [[maybe_unused]] bool installed_ = false;  // only where there is ALSA
};
