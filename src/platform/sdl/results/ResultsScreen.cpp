#include "platform/sdl/results/ResultsScreen.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/ShellPlatform.h"
#include "devices/DirectInputApi.h"
#include "devices/InputSystem.h"
#include "display/BackBuffer.h"
#include "display/Bitmap.h"
#include "display/DisplayDevice.h"
#include "display/PrimarySurface.h"
#include "display/Sprite.h"
#include "game/Pictures.h"
#include "platform/sdl/results/LetterSheet.h"
#include "platform/sdl/settings/ScoreBook.h"
#include "platform/sdl/shell/SdlShell.h"

namespace {

// The play field's middle, where the game's own screens stand.
constexpr int kCentreX = 268;
constexpr int kTableLeft = 92;
// DirectInput's code of the R key.
constexpr int kKeyR = 0x13;

// The score strip of the panel, as play draws it.
constexpr int kScoreDigits = 6;
constexpr int kDigitsLeft = 673;
constexpr int kDigitsTop = 90;
constexpr int kDigitPitch = 16;

// The pictures of the screen, loaded when it opens.
class ResultsPictures {
public:
    explicit ResultsPictures(DisplayDevice* display) : display_(display) {
        VideoDriver* driver = display->driver();
        background_ = loadBitmap("background.bmp");
        backgroundSprite_ = cutSprite(driver, background_, 787, 600, 0, 0, true);
        digits_ = loadBitmap("numbers.bmp");
        digitsSprite_ = new Sprite();
        digitsSprite_->Create(driver, 10, 15, 13);
        for (int i = 0; i < 10; ++i) digitsSprite_->LoadFrame(digits_, i, 1 + 16 * i, 1);
        digitsSprite_->SetColourKey(kTransparentColour);
        letters_ = loadBitmap(letterSheet::kFileName);
        for (int ink = 0; ink < letterSheet::kInkCount; ++ink) {
            const letterSheet::InkShape& shape = letterSheet::kShapes[ink];
            Sprite* sprite = new Sprite();
            sprite->Create(driver, letterSheet::kCharacterCount, shape.cellWidth(),
                           shape.cellHeight());
            for (int i = 0; i < letterSheet::kCharacterCount; ++i) {
                sprite->LoadFrame(letters_, i, letterSheet::cellLeft(ink, i),
                                  letterSheet::rowTop(ink));
            }
            sprite->SetColourKey(kTransparentColour);
            inks_[ink] = sprite;
        }
    }
    ~ResultsPictures() {
        for (Sprite*& sprite : inks_) destroySprite(sprite);
        destroySprite(digitsSprite_);
        destroySprite(backgroundSprite_);
        destroyBitmap(letters_);
        destroyBitmap(digits_);
        destroyBitmap(background_);
    }
    ResultsPictures(const ResultsPictures&) = delete;
    ResultsPictures& operator=(const ResultsPictures&) = delete;

    Surface* target() const { return display_->backBuffer(); }

    void clear() const { display_->backBuffer()->Fill(nullptr, 0); }
    void background() const { backgroundSprite_->Draw(0, 7, 0, target()); }

    // The score in the panel's strip, six digits as play shows them.
    void scoreStrip(long score) const {
        long rest = score;
        for (int k = kScoreDigits - 1; k >= 0; --k) {
            digitsSprite_->Draw(static_cast<int>(rest % 10), kDigitsLeft + kDigitPitch * k,
                                kDigitsTop, target());
            rest /= 10;
        }
    }

    static int width(int ink, const std::string& text) {
        const letterSheet::InkShape& shape = letterSheet::kShapes[ink];
        if (text.empty()) return 0;
        return static_cast<int>(text.size()) * shape.advance() - shape.spacing + 2 * shape.outline +
               shape.shadow;
    }

    void text(int ink, const std::string& text, int x, int y) const {
        const int advance = letterSheet::kShapes[ink].advance();
        for (char c : text) {
            const char* at =
                std::strchr(letterSheet::kCharacters, std::toupper(static_cast<unsigned char>(c)));
            if (c != ' ' && c != '\0' && at != nullptr) {
                inks_[ink]->Draw(static_cast<int>(at - letterSheet::kCharacters), x, y, target());
            }
            x += advance;
        }
    }

    void centred(int ink, const std::string& line, int y) const {
        text(ink, line, kCentreX - width(ink, line) / 2, y);
    }

    void present() const { display_->primary()->Flip(display_->driver()); }

private:
    DisplayDevice* display_;
    Bitmap* background_ = nullptr;
    Sprite* backgroundSprite_ = nullptr;
    Bitmap* digits_ = nullptr;
    Sprite* digitsSprite_ = nullptr;
    Bitmap* letters_ = nullptr;
    Sprite* inks_[letterSheet::kInkCount] = {};
};

std::string tableLine(int place, const ResultsRow& row) {
    char line[48];
    std::snprintf(line, sizeof line, "%2d.  %6ld   %s", place, row.points, row.date.c_str());
    return line;
}

void drawResults(const ResultsPictures& pictures, Results& results) {
    if (results.update) results.update(&results);
    using letterSheet::Heading;
    using letterSheet::Marked;
    using letterSheet::Plain;
    using letterSheet::Prompt;
    pictures.clear();
    pictures.background();
    pictures.scoreStrip(results.score);

    pictures.centred(Heading, "FINAL SCORE", 48);
    pictures.centred(Heading, std::to_string(results.score), 92);
    if (results.newBest) {
        pictures.centred(Marked, "NEW BEST!", 140);
    } else if (results.notSaved) {
        pictures.centred(Plain, "NOT SAVED", 140);
    }

    pictures.centred(Heading, "BEST SCORES", 182);
    if (results.unreadable) {
        pictures.centred(Plain, "SCORES UNREADABLE", 232);
    } else if (results.best.empty()) {
        pictures.centred(Plain, "NONE KEPT YET", 232);
    }
    int y = 232;
    for (std::size_t i = 0; i < results.best.size() && i < ScoreBook::kKept; ++i) {
        const bool marked = static_cast<int>(i) == results.markedRow;
        if (marked) pictures.text(Marked, ">", kTableLeft - 22, y);
        pictures.text(marked ? Marked : Plain, tableLine(static_cast<int>(i) + 1, results.best[i]),
                      kTableLeft, y);
        y += 22;
    }

    // A third prompt moves the others up into the gap below the table.
    int promptY = results.watchPrompt.empty() ? 484 : 464;
    for (const std::string* prompt :
         {&results.playPrompt, &results.watchPrompt, &results.leavePrompt}) {
        if (prompt->empty()) continue;
        pictures.centred(Prompt, *prompt, promptY);
        promptY += 28;
    }
    pictures.present();
}

// A key that counts only as a press: down now, after being seen up.
class KeyPress {
public:
    KeyPress(const InputSystem* input, int code) : input_(input), code_(code) { armed_ = !down(); }
    bool pressed() {
        if (!down()) {
            armed_ = true;
            return false;
        }
        return armed_;
    }

private:
    bool down() const { return input_ != nullptr && input_->isKeyDown(code_); }

    const InputSystem* input_;
    int code_;
    bool armed_ = false;
};

bool quitRequested() { return sdlQuitRequested(); }

void poll(InputSystem* input) {
    if (input != nullptr) input->poll();
}

}  // namespace

ResultsChoice runResultsScreen(DisplayDevice* display, InputSystem* input, const Results& given) {
    // A copy, which its update() brings up to date.
    Results results = given;
    if (display == nullptr || display->backBuffer() == nullptr || display->primary() == nullptr) {
        return ResultsChoice::Leave;
    }
    const ResultsPictures pictures(display);
    poll(input);
    KeyPress again(input, DIK_SPACE);
    KeyPress leave(input, DIK_ESCAPE);
    KeyPress watch(input, kKeyR);
    for (;;) {
        // In play's order: the shell takes the system's events, the keys are
        // read at once, and the frame drawn after them is shown before the
        // wait, so that a key is answered at the same frame as in play.
        shellPlatform().deliverSentMessages();
        // A quit request reads as Escape held: it ends the program however
        // the keys stand.
        if (quitRequested()) return ResultsChoice::Leave;
        poll(input);
        if (leave.pressed()) return ResultsChoice::Leave;
        if (again.pressed()) return ResultsChoice::PlayAgain;
        if (watch.pressed() && !results.watchPrompt.empty()) return ResultsChoice::Watch;
        drawResults(pictures, results);
    }
}
