#include "fleet/Fleet.h"

#include <cstdlib>

#include "base/GameClock.h"
#include "devices/SoundCues.h"
#include "display/Bitmap.h"
#include "display/Sprite.h"
#include "fleet/Invader.h"
#include "objects/EnemyBulletList.h"
#include "objects/EntityChain.h"

namespace {

constexpr const char* kPictureFiles[Fleet::kKindCount] = {"poopy.bmp", "pukey.bmp", "drippy.bmp"};
constexpr int kFrameWidth = 25;
constexpr int kFrameHeight = 17;
constexpr int kFrameSourceX = 2;
constexpr int kFrameSourceY = 2;
constexpr std::uint32_t kTransparent = 0xFF00FF;

constexpr std::int32_t kFirstColumnX = 128;
constexpr std::int32_t kFirstRowY = 151;
constexpr std::int32_t kCellSpacing = 32;
// Top row Drippy, then two rows of Pukey, then two of Poopy.
constexpr std::int32_t kRowKinds[FleetGrid::kRows] = {Drippy, Pukey, Pukey, Poopy, Poopy};
constexpr std::int32_t kRowPoints[FleetGrid::kRows] = {3, 2, 2, 1, 1};

constexpr std::int32_t kStartInterval = 2000;
constexpr std::int32_t kMarchStep = 8;
constexpr std::int32_t kDropStep = 16;
constexpr std::int32_t kLeftEdge = 32;     // no box column left of this
constexpr std::int32_t kRightEdge = 510;   // no box column at or right of this
constexpr std::int32_t kBottomBand = 536;  // a box top below this has landed

constexpr std::int32_t kFireSpacing = 1000;
constexpr std::int32_t kShotBelow = 10;

}  // namespace

Fleet::Fleet(VideoDriver* driver) : grid(new FleetGrid) {
    // Load results are not checked: a missing picture just leaves the
    // invaders blank while they play on.
    for (int kind = 0; kind < kKindCount; ++kind) {
        bitmaps[kind] = new Bitmap;
        bitmaps[kind]->Load(kPictureFiles[kind]);
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        sprites[kind] = new Sprite;
        sprites[kind]->Create(driver, 1, kFrameWidth, kFrameHeight);
        sprites[kind]->LoadFrame(bitmaps[kind], 0, kFrameSourceX, kFrameSourceY);
        sprites[kind]->SetColourKey(kTransparent);
    }
    reset();
}

Fleet::~Fleet() {
    for (std::int32_t row = 0; row < grid->rows; ++row) {
        for (std::int32_t column = 0; column < grid->columns; ++column) {
            delete grid->cells[row][column];
            grid->cells[row][column] = nullptr;
        }
    }
    delete grid;
    grid = nullptr;
    for (Bitmap*& bitmap : bitmaps) {
        bitmap->Unload();
        delete bitmap;
        bitmap = nullptr;
    }
    for (Sprite*& sprite : sprites) {
        sprite->Destroy();
        delete sprite;
        sprite = nullptr;
    }
}

void Fleet::reset() {
    for (std::int32_t row = 0; row < grid->rows; ++row) {
        for (std::int32_t column = 0; column < grid->columns; ++column) {
            delete grid->cells[row][column];
            grid->cells[row][column] = nullptr;
        }
    }
    for (std::int32_t row = 0; row < grid->rows; ++row) {
        const std::int32_t kind = kRowKinds[row];
        for (std::int32_t column = 0; column < grid->columns; ++column) {
            if (grid->cells[row][column] != nullptr) {
                continue;
            }
            Invader* invader = new Invader;
            invader->init(kFirstColumnX + kCellSpacing * column, kFirstRowY + kCellSpacing * row,
                          kind, sprites[kind]);
            grid->cells[row][column] = invader;
        }
    }
    lastMarch = 0;
    direction = kRight;
    dropPending = 0;
    marchInterval = kStartInterval;
    invaded = false;
    aliveCount = grid->rows * grid->columns;
    for (std::int32_t column = 0; column < grid->columns; ++column) {
        columnCounts[column] = grid->rows;
    }
    lastFire = 0;
    walkRow = 0;
    walkColumn = 0;
    std::srand(rawTickCount());
}

Invader* Fleet::walkFirst() {
    walkRow = 0;
    walkColumn = -1;
    return walkNext();
}

Invader* Fleet::walkNext() {
    for (;;) {
        ++walkColumn;
        if (walkColumn >= grid->columns) {
            walkColumn = 0;
            ++walkRow;
        }
        if (walkRow >= grid->rows) {
            // Parked past the last cell: the walk is over.
            walkRow = grid->rows;
            walkColumn = 0;
            return nullptr;
        }
        Invader* invader = grid->cells[walkRow][walkColumn];
        if (invader != nullptr) {
            return invader;
        }
    }
}

void Fleet::moveAll() {
    for (Invader* invader = walkFirst(); invader != nullptr; invader = walkNext()) {
        if (direction == kLeft) {
            invader->moveLeft(kMarchStep);
        } else if (direction == kRight) {
            invader->moveRight(kMarchStep);
        }
    }
    if (dropPending == 1) {
        for (Invader* invader = walkFirst(); invader != nullptr; invader = walkNext()) {
            invader->moveDown(kDropStep);
        }
        dropPending = 0;
    }
}

bool Fleet::anyPastSideEdge() {
    for (Invader* invader = walkFirst(); invader != nullptr; invader = walkNext()) {
        if (invader->x - invader->halfWidth < kLeftEdge ||
            invader->x + invader->halfWidth >= kRightEdge) {
            return true;
        }
    }
    return false;
}

bool Fleet::anyPastBottom() {
    for (Invader* invader = walkFirst(); invader != nullptr; invader = walkNext()) {
        if (invader->y - invader->halfHeight > kBottomBand) {
            return true;
        }
    }
    return false;
}

void Fleet::march(bool enabled) {
    if (!enabled) {
        return;
    }
    // An unsigned difference of game time, so that the test holds across
    // every wrap of game time, and the 0 a reset leaves counts as long ago
    // even when game time has wrapped below it. With no invader left the
    // interval is -1: nothing waits.
    const std::uint32_t sinceLast =
        static_cast<std::uint32_t>(gameTime()) - static_cast<std::uint32_t>(lastMarch);
    if (marchInterval > 0 && sinceLast < static_cast<std::uint32_t>(marchInterval)) {
        return;
    }
    moveAll();
    // An empty fleet (the wave is over) steps in silence.
    if (aliveCount > 0) playCue(SoundCue::MarchStep);
    if (anyPastSideEdge()) {
        // Step back, turn and drop: the fleet ends the step where it was
        // across, one drop lower, heading the other way.
        direction = (direction == kLeft) ? kRight : kLeft;
        dropPending = 1;
        moveAll();
    }
    if (anyPastBottom()) {
        invaded = true;
    }
    lastMarch = gameTime();
}

std::int32_t Fleet::removeDead() {
    std::int32_t points = 0;
    for (std::int32_t column = 0; column < grid->columns; ++column) {
        for (std::int32_t row = 0; row < grid->rows; ++row) {
            Invader* invader = grid->cells[row][column];
            if (invader == nullptr || invader->alive != 0) {
                continue;
            }
            delete invader;
            grid->cells[row][column] = nullptr;
            --columnCounts[column];
            --aliveCount;
            points += kRowPoints[row];
        }
    }
    // Fewer invaders march faster; with none left this comes to -1.
    marchInterval = (182 * aliveCount - 10) / 10;
    return points;
}

void Fleet::fire(EnemyBulletList* bullets, Sprite** bulletSprites) {
    // As for the march: unsigned, so a reset's 0 is long ago after a wrap.
    const std::uint32_t sinceLast =
        static_cast<std::uint32_t>(gameTime()) - static_cast<std::uint32_t>(lastFire);
    if (sinceLast <= static_cast<std::uint32_t>(kFireSpacing)) {
        return;
    }
    shoot(bullets, bulletSprites);
    // The clock moves on whether or not a bullet was made.
    lastFire = gameTime();
}

Invader* Fleet::lowestIn(std::int32_t column) const {
    for (std::int32_t row = grid->rows - 1; row >= 0; --row) {
        if (grid->cells[row][column] != nullptr) {
            return grid->cells[row][column];
        }
    }
    return nullptr;
}

void Fleet::shoot(EnemyBulletList* bullets, Sprite** bulletSprites) {
    if (aliveCount <= 0 || bullets == nullptr) {
        return;
    }
    // The counters and the grid always change together, so a column whose
    // count is not 0 holds a shooter. Should they ever disagree, the draws
    // below must still end: only a column that really holds an invader
    // counts as a hit, there must be one to begin with, and after a long run
    // of misses the next column along that can fire is taken.
    bool anyShooter = false;
    for (std::int32_t column = 0; column < grid->columns && !anyShooter; ++column) {
        anyShooter = columnCounts[column] != 0 && lowestIn(column) != nullptr;
    }
    if (!anyShooter) {
        return;
    }
    constexpr int kMaxDraws = 1000;
    Invader* shooter = nullptr;
    for (int draw = 0; shooter == nullptr; ++draw) {
        const std::int32_t column = std::rand() % grid->columns;
        if (columnCounts[column] != 0) {
            shooter = lowestIn(column);
        }
        for (std::int32_t k = 1; shooter == nullptr && draw >= kMaxDraws && k <= grid->columns;
             ++k) {
            const std::int32_t next = (column + k) % grid->columns;
            if (columnCounts[next] != 0) {
                shooter = lowestIn(next);
            }
        }
    }
    Sprite* sprite = nullptr;
    if (bulletSprites != nullptr && shooter->kind >= 0 && shooter->kind < kKindCount) {
        sprite = bulletSprites[shooter->kind];
    }
    bullets->drop(shooter->x, shooter->y + shooter->halfHeight + kShotBelow, sprite);
}

void Fleet::collideWithChain(EntityChain* chain) {
    if (chain == nullptr) {
        return;
    }
    for (Invader* invader = walkFirst(); invader != nullptr; invader = walkNext()) {
        for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
            if (invader->overlaps(node->item) != 0) {
                node->item->alive = 0;
                invader->alive = 0;
                break;
            }
        }
    }
}

bool Fleet::overlapsAny(const Entity* entity) {
    if (entity == nullptr) {
        return false;
    }
    for (Invader* invader = walkFirst(); invader != nullptr; invader = walkNext()) {
        if (invader->overlaps(entity) != 0) {
            return true;
        }
    }
    return false;
}
