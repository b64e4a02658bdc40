// The sound cues of a scripted game: each comes in the update where the game
// acts, once, and nothing comes while paused; the frames are the same with or
// without anyone listening.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "GameRig.h"
#include "devices/SoundCues.h"

namespace {

using Cues = std::multiset<SoundCue>;

// The cues the harness logged since `from`; moves `from` past them.
Cues cuesSince(const HeadlessLog& log, std::size_t& from) {
    Cues cues;
    for (; from < log.size(); ++from) {
        if (log[from].event == HeadlessEvent::SoundCue) {
            cues.insert(static_cast<SoundCue>(log[from].value));
        }
    }
    return cues;
}

std::set<const Entity*> bulletsOf(EntityList* list) {
    std::set<const Entity*> found;
    for (Entity* e : GameRig::items(list)) found.insert(e);
    return found;
}

bool anyNew(const std::set<const Entity*>& before, const std::set<const Entity*>& after) {
    return std::any_of(after.begin(), after.end(),
                       [&](const Entity* e) { return before.count(e) == 0; });
}

// One scripted game: a wave, fire at will (which hits), a pause with Space
// held, three lost ships. Every update's cues are checked against what the
// update did; returns a hash of every frame shown.
std::vector<std::size_t> playScript(bool listening) {
    GameRig rig;
    std::vector<std::size_t> frameHashes;
    if (!listening) installSoundCues(nullptr);
    const HeadlessLog& log = rig.platform.log();
    std::size_t seen = log.size();
    std::map<SoundCue, int> heard;

    // Runs one update and checks its cues against what it did.
    auto update = [&](const Cues& also) {
        Game& game = rig.game;
        const auto shotsBefore = bulletsOf(game.playerBullets());
        const std::int32_t fireBefore = game.fleet()->lastFire;
        const std::int32_t aliveBefore = game.fleet()->aliveCount;
        const std::int32_t marchBefore = game.fleet()->lastMarch;
        const GameState stateBefore = game.state();
        game.update();
        if (rig.frames() > frameHashes.size() && rig.platform.lastFrame()) {
            const auto& pixels = *rig.platform.lastFrame()->pixels;
            frameHashes.push_back(std::hash<std::string>()(
                std::string(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 2)));
        }
        Cues expected = also;
        if (anyNew(shotsBefore, bulletsOf(game.playerBullets()))) expected.insert(SoundCue::Shot);
        // A fire attempt moves the fleet's clock and, with invaders left,
        // always drops a bullet.
        if (game.fleet()->lastFire != fireBefore && game.fleet()->aliveCount > 0) {
            expected.insert(SoundCue::InvaderShot);
        }
        if (game.fleet()->aliveCount < aliveBefore) expected.insert(SoundCue::InvaderHit);
        if (game.fleet()->lastMarch != marchBefore) expected.insert(SoundCue::MarchStep);
        if (game.state() == Paused && stateBefore != Paused) expected.insert(SoundCue::Pause);
        const Cues got = cuesSince(log, seen);
        if (listening) {
            EXPECT_EQ(got, expected) << "at " << rig.now() << " in state " << stateBefore;
        } else {
            EXPECT_TRUE(got.empty());
        }
        for (SoundCue c : got) ++heard[c];
    };

    rig.game.startWave();
    EXPECT_EQ(cuesSince(log, seen), listening ? Cues{SoundCue::WaveStart} : Cues{});
    while (rig.game.state() == GetReady) {
        rig.tap(DIK_SPACE);  // no ship to fire yet
        update({});
    }
    // Firing at will from the start column: the fleet marches over the ship
    // and the shots hit.
    for (int i = 0; i < 400; ++i) {
        rig.tap(DIK_SPACE);
        update({});
        rig.disarmFleet();
    }
    // Paused with Space held: nothing moves, nothing sounds.
    rig.platform.press(DIK_SPACE, rig.now(), rig.now() + 2000);
    rig.tap(DIK_P);
    update({});
    EXPECT_EQ(rig.game.state(), Paused);
    const std::int32_t pausedAt = rig.now();
    while (rig.now() < pausedAt + 1000) {
        update({});
        rig.disarmFleet();
    }
    rig.tap(DIK_P);
    update({});
    EXPECT_EQ(rig.game.state(), Playing);
    // Three ships lost: each is a ShipLost where the game finds it lost, the
    // last one also the end of the game.
    for (int loss = 0; loss < 3; ++loss) {
        PlayerShip* ship = rig.game.ship();
        rig.game.invaderBullets()->drop(ship->x, ship->y, rig.game.fleet()->sprites[Poopy]);
        cuesSince(log, seen);
        update({});
        update(loss < 2 ? Cues{SoundCue::ShipLost} : Cues{SoundCue::ShipLost, SoundCue::GameOver});
        while (rig.game.state() == GetReady) update({});
        rig.disarmFleet();
    }
    EXPECT_EQ(rig.game.state(), GameLost);
    if (listening) {
        // The script did what it meant to: shots, hits and march steps all came.
        EXPECT_GT(heard[SoundCue::Shot], 5);
        EXPECT_GT(heard[SoundCue::InvaderHit], 3);
        EXPECT_GT(heard[SoundCue::MarchStep], 5);
        EXPECT_GT(heard[SoundCue::InvaderShot], 3);
    }
    return frameHashes;
}

TEST(SoundCues, ComeInTheUpdateWhereTheGameActsNeverWhilePausedAndChangeNoFrame) {
    const std::vector<std::size_t> heard = playScript(true);
    const std::vector<std::size_t> silent = playScript(false);
    EXPECT_GT(heard.size(), 500u);
    EXPECT_EQ(heard, silent);
}

}  // namespace
