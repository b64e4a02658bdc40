#include "platform/sdl/web/AnimationFrame.h"

#include <emscripten.h>

// Module.onAnimationFrameWait, where the page sets one, hears of each wait
// before it yields: the page lays the canvas out once the game's window
// exists, and the first wait comes right after the first picture.
// A hidden page gets no animation frames; the game then goes on at the pace
// of the browser's timers (about once a second), enough to see the window
// hidden and pause play, as the desktop builds do when minimised.
// The body is JavaScript, left as written.
// clang-format off
EM_JS(void, zorbanix_wait_for_animation_frame, (), {
    if (Module["onAnimationFrameWait"]) Module["onAnimationFrameWait"]();
    Asyncify.handleSleep(function(wakeUp) {
        if (document.hidden) {
            setTimeout(function() { wakeUp(); }, 100);
        } else {
            requestAnimationFrame(function() { wakeUp(); });
        }
    });
});
// clang-format on

void waitForAnimationFrame() { zorbanix_wait_for_animation_frame(); }
