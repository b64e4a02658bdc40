#include "PlayRig.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "devices/DirectInputApi.h"
#include "display/DisplayPlatform.h"
#include "display/Sprite.h"
#include "fleet/Fleet.h"
#include "fleet/FleetGrid.h"
#include "fleet/Invader.h"
#include "objects/Bunker.h"
#include "objects/BunkerSet.h"
#include "objects/EnemyBulletList.h"
#include "objects/EntityChain.h"
#include "objects/PlayerBulletList.h"
#include "objects/PlayerShip.h"

namespace {

constexpr std::int32_t kGetReadyLength = 3000;
constexpr std::size_t kBytesPerPixel = 2;
// The score digits' frame; the sprite is the game's own and not reachable.
constexpr std::size_t kDigitPixels = 15 * 13;

// The pictures are read by bare file name, as the game does: run in the
// folder that holds them.
bool enterPictureFolder() {
    const char* chosen = std::getenv("ZORBANIX_PICTURES");
    const std::string folder = chosen ? chosen : ZORBANIX_PICTURE_DIR;
    if (chdir(folder.c_str()) != 0) return false;
    return access("background.bmp", R_OK) == 0 && access("poopy.bmp", R_OK) == 0;
}

std::size_t framePixels(const Sprite* sprite) {
    if (!sprite) return 0;
    return static_cast<std::size_t>(sprite->frameWidth()) * sprite->frameHeight();
}

template <typename Visit>
void forEachBullet(const Game& game, Visit visit) {
    const EntityList* lists[] = {game.playerBullets(), game.invaderBullets()};
    for (const EntityList* list : lists) {
        for (EntityNode* n = list->chain->first; n != list->chain->end; n = n->next) visit(n->item);
    }
}

}  // namespace

PlayRig::PlayRig() : display_(PixelLayout::Rgb565), devices_(&shell_, nullptr) {
    if (!enterPictureFolder()) {
        std::fprintf(stderr, "the game's pictures were not found (set ZORBANIX_PICTURES)\n");
        return;
    }
    installShellPlatform(&shell_);
    installDevicePlatform(&devices_);
    installDisplayPlatform(&display_);
    shell_.setGameTime(1000);
    WindowHandle window = shell_.createMainWindow("Zorbanix", nullptr);
    if (!screen_.Create(window, 800, 600, 16)) return;
    input_.init(window, nullptr, false);
    game_.setUp(&screen_, &input_);
    ready_ = true;
}

PlayRig::~PlayRig() {
    game_.tearDown();
    input_.teardown();
    installDisplayPlatform(nullptr);
    installDevicePlatform(nullptr);
    installShellPlatform(nullptr);
}

void PlayRig::freshWave() {
    // Shots left from the wave before go, so every wave starts alike.
    forEachBullet(game_, [](Entity* bullet) { bullet->alive = 0; });
    game_.playerBullets()->removeDead();
    game_.invaderBullets()->removeDead();
    game_.ship()->alive = 1;

    const std::int32_t now = shell_.currentGameTime();
    devices_.clearKeys();
    devices_.press(DIK_SPACE, now);
    devices_.press(steerRight_ ? DIK_RIGHT : DIK_LEFT, now);
    steerRight_ = !steerRight_;

    game_.startWave();
    shell_.advance(kGetReadyLength);
    game_.update();  // the pause ends: no frame in this update
}

void PlayRig::frame() {
    shell_.advance(kFrameTime);
    game_.update();
}

int PlayRig::bulletsHeld() const {
    int held = 0;
    forEachBullet(game_, [&held](Entity*) { ++held; });
    return held;
}

int PlayRig::deadBullets() const {
    int dead = 0;
    forEachBullet(game_, [&dead](Entity* bullet) { dead += bullet->alive == 0 ? 1 : 0; });
    return dead;
}

std::size_t PlayRig::spriteBytesDrawn() const {
    std::size_t pixels = 0;
    const FleetGrid* grid = game_.fleet()->grid;
    for (int row = 0; row < grid->rows; ++row) {
        for (int column = 0; column < grid->columns; ++column) {
            const Invader* invader = grid->at(row, column);
            if (invader) pixels += framePixels(invader->sprite);
        }
    }
    const std::size_t shipPixels = framePixels(game_.ship()->sprite);
    pixels += shipPixels * (1 + static_cast<std::size_t>(game_.spareShips()));
    forEachBullet(game_, [&pixels](Entity* bullet) { pixels += framePixels(bullet->sprite); });
    const BunkerSet* bunkers = game_.bunkers();
    for (int i = 0; bunkers->bunkers && i < BunkerSet::kBunkerCount; ++i) {
        const EntityChain* chain = bunkers->bunkers[i]->chain;
        for (EntityNode* n = chain->first; n != chain->end; n = n->next) {
            const Entity* block = n->item;
            pixels += static_cast<std::size_t>(2 * block->halfWidth + 1) *
                      static_cast<std::size_t>(2 * block->halfHeight + 1);
        }
    }
    pixels += Game::kScoreDigitCount * kDigitPixels;
    return pixels * kBytesPerPixel;
}
