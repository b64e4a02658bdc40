#pragma once

#include <cstdint>
#include <vector>

#include "platform/headless/CapturedFrame.h"

// What a player sees in one frame, found from the colours of the game's own
// pictures: where the ship is, where the lowest invaders are, which shots
// fall towards the ship, whether the
// fleet stands in its opening formation (a wave has just begun) and whether
// the get-ready or the pause sign is up.
class ScreenReader {
public:
    // Reads the pictures from the working directory, as the game does.
    explicit ScreenReader(PixelLayout layout);
    // False when a picture the reader needs could not be read.
    bool ok() const { return ok_; }

    struct Sight {
        bool shipSeen = false;
        int shipX = 0;
        // Of the invader columns the ship can reach, the one whose lowest
        // invader is lowest on the screen; of columns about as low, the one
        // nearest to `nearX`.
        bool targetSeen = false;
        int targetX = 0;
        int targetBottom = 0;
        int invaderColumns = 0;
        // The invader's shot falling nearest across to the ship, and where.
        bool shotSeen = false;
        int shotX = 0;
        // Every one of the 55 invaders where a wave puts them.
        bool freshFleet = false;
        bool getReady = false;
        bool paused = false;
    };
    Sight look(const CapturedFrame& frame, int nearX) const;

private:
    // A picture cut as the game cuts it, as raw pixel values of the frame's
    // layout; key-coloured pixels are left out.
    struct Template {
        struct Point {
            int x;
            int y;
            std::uint16_t raw;
        };
        std::vector<Point> points;
    };
    // Whether the picture is shown with its top-left corner at (left, top).
    bool shows(const CapturedFrame& frame, const Template& picture, int left, int top) const;
    void findTargets(const CapturedFrame& frame, int nearX, Sight* sight) const;
    void findShots(const CapturedFrame& frame, Sight* sight) const;
    bool isInvader(std::uint16_t raw) const;
    bool isShip(std::uint16_t raw) const;
    bool isInvaderShot(std::uint16_t raw) const;

    // For every raw value: which pictures use it (bits of Source).
    std::vector<std::uint8_t> sources_;
    Template getReady_;
    Template paused_;
    Template invaders_[3];
    bool ok_ = false;
};
