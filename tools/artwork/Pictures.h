#pragma once

#include <string>
#include <vector>

#include "Image.h"

// One picture file of the game.
struct Picture {
    std::string fileName;
    // Keyed pictures are drawn with magenta transparent; the others are
    // drawn whole.
    bool keyed;
    Image image;
};

// Paints every picture of the game, in memory. False, with the reason, when
// one of the sources (pixel art, fonts, lettering) is malformed.
bool paintPictures(std::vector<Picture>* out, std::string* error);

// The painters of each group of pictures, each adding to `out`.
bool paintCast(std::vector<Picture>* out, std::string* error);        // ship, invaders, shots
bool paintSigns(std::vector<Picture>* out, std::string* error);       // lettering, score figures
bool paintBackground(std::vector<Picture>* out, std::string* error);  // the play field and panel
bool paintEmblem(std::vector<Picture>* out, std::string* error);      // the studio's bird
bool paintGameOver(std::vector<Picture>* out, std::string* error);    // the closing panel
// The lettering of the Linux and browser games' screen between two games.
bool paintLetterSheet(std::vector<Picture>* out, std::string* error);
