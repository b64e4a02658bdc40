#include "platform/sdl/web/AnimationFrame.h"

#include <emscripten.h>

// Module.onAnimationFrameWait, where the page sets one, hears of each wait
// before it yields: the page lays the canvas out once the game's window
// exists, and the first wait comes right after the first picture.
EM_JS(void, zorbanix_wait_for_animation_frame, (), {
    if (Module["onAnimationFrameWait"]) Module["onAnimationFrameWait"]();
    Asyncify.handleSleep(function(wakeUp) { requestAnimationFrame(function() { wakeUp(); }); });
});

void waitForAnimationFrame() { zorbanix_wait_for_animation_frame(); }
