#pragma once

// GoogleTest's place for what a platform brings itself, found ahead of
// GoogleTest's own empty one when it is built for Windows here. The compiler's
// win32 thread model has no std::mutex or std::condition_variable, which
// GoogleTest's own Notification is made of; this one waits on a Windows event
// (see Notification.cpp). No Windows header here: the test sources read the
// display's seam, whose constants windows.h would rewrite, after GoogleTest.

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

// Lets a controller thread hold new threads until it notifies them.
class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_;  // a manual-reset event
};

}  // namespace internal
}  // namespace testing
