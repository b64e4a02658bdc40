#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/sdl/software/SoftwareDisplay.h"

// The software display with its DirectDraw object set for the game's
// exclusive full-screen mode, for tests that work below the display classes.
class SoftwareDisplayFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(platform_.DirectDrawCreate(nullptr, &driver_), DD_OK);
        ASSERT_EQ(driver_->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    }
    void TearDown() override {
        if (driver_) driver_->Release();
    }

    // A plain off-screen surface in system memory, as the game's pictures
    // are; null (and a failure) if it cannot be made.
    DdSurface* offScreen(int width, int height) {
        DdSurfaceDesc desc = {};
        desc.size = kSurfaceDescSize;
        desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.width = static_cast<std::uint32_t>(width);
        desc.height = static_cast<std::uint32_t>(height);
        desc.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        DdSurface* surface = nullptr;
        EXPECT_EQ(driver_->CreateSurface(&desc, &surface), DD_OK);
        return surface;
    }

    // The 16-bit pixel at (x, y) of an SDL surface.
    static std::uint16_t& pixel(SDL_Surface* surface, int x, int y) {
        return reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                                y * surface->pitch)[x];
    }

    SoftwareDisplay platform_;
    DirectDraw* driver_ = nullptr;
};
