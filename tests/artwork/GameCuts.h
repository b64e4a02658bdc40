#pragma once

// Where the game cuts its frames from each picture file, as the game code
// asks for them: the artwork has to agree with these, whatever it shows.

struct GameCut {
    const char* file;
    int frames;
    int width;
    int height;
    // Frame i comes from (sourceX + pitch * i, sourceY).
    int sourceX;
    int sourceY;
    int pitch;
    // Keyed pictures are drawn with magenta transparent, the others whole.
    bool keyed;
};

inline constexpr GameCut kGameCuts[] = {
    {"nanite.bmp", 1, 23, 17, 2, 2, 0, true},       {"poopy.bmp", 1, 25, 17, 2, 2, 0, true},
    {"pukey.bmp", 1, 25, 17, 2, 2, 0, true},        {"drippy.bmp", 1, 25, 17, 2, 2, 0, true},
    {"poopbullet.bmp", 1, 3, 11, 0, 0, 0, true},    {"pukebullet.bmp", 1, 3, 11, 0, 0, 0, true},
    {"dripbullet.bmp", 1, 3, 11, 0, 0, 0, true},    {"pbullet.bmp", 1, 3, 11, 0, 0, 0, true},
    {"background.bmp", 1, 787, 600, 0, 0, 0, true}, {"numbers.bmp", 10, 15, 13, 1, 1, 16, true},
    {"getready.bmp", 1, 266, 32, 0, 0, 0, true},    {"paused.bmp", 1, 142, 21, 0, 0, 0, true},
    {"title.bmp", 1, 370, 48, 0, 0, 0, true},       {"space.bmp", 1, 165, 26, 0, 0, 0, true},
    {"ostrelwyn.bmp", 1, 332, 48, 0, 0, 0, true},   {"presents.bmp", 1, 130, 16, 0, 0, 0, true},
    {"bird.bmp", 1, 187, 103, 0, 0, 0, false},      {"gameover.bmp", 1, 481, 554, 0, 0, 0, false},
};
