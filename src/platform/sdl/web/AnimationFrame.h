#pragma once

// The browser shows the canvas only when control goes back to it, so the
// game's wait for the vertical blank becomes a yield to the browser until
// its next animation frame (requestAnimationFrame): one frame per display
// refresh, and the tab never freezes. The game's stack is kept across the
// yield (Asyncify). While the page is hidden the browser runs no animation
// frames, and the wait falls back to a timer.
void waitForAnimationFrame();
