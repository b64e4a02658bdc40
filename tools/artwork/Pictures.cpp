#include "Pictures.h"

#include "Fonts.h"

bool paintPictures(std::vector<Picture>* out, std::string* error) {
    out->clear();
    return loadFonts(error) && paintCast(out, error) && paintSigns(out, error) &&
           paintBackground(out, error) && paintEmblem(out, error) && paintGameOver(out, error) &&
           paintLetterSheet(out, error);
}
