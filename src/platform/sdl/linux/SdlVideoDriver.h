#pragma once

#include <string>

// Starts SDL's video on a display a player can see. SDL would otherwise fall
// back to its off-screen driver where no display can be opened, and the game
// would run unseen; an off-screen or dummy driver is used only when named in
// SDL_VIDEODRIVER. False, with the reason and what to do in `why` (one
// line), when no display could be opened.
bool openVisibleVideo(std::string* why);
