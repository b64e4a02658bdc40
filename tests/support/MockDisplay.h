#pragma once

// GoogleMock stand-ins for the display's platform seam: the DirectDraw
// object, its surfaces and clipper, and the platform entry points (GDI and
// DirectDrawCreate), with the fixtures that install them. Header-only so
// that every test program can use them.

#include <gmock/gmock.h>

#include <cstdint>

#include "display/DirectDrawApi.h"
#include "display/DisplayPlatform.h"
#include "display/GdiApi.h"
#include "display/Surface.h"
#include "display/VideoDriver.h"
#include "support/ScopedPlatform.h"

class MockDdClipper : public DdClipper {
public:
    virtual ~MockDdClipper() = default;
    MOCK_METHOD(DdResult, SetHWnd, (std::uint32_t flags, WindowHandle window), (override));
    MOCK_METHOD(std::uint32_t, Release, (), (override));
};

class MockDdSurface : public DdSurface {
public:
    virtual ~MockDdSurface() = default;
    MOCK_METHOD(DdResult, Blt,
                (const DdRect* destRect, DdSurface* source, const DdRect* sourceRect,
                 std::uint32_t flags, const DdBltFx* fx),
                (override));
    MOCK_METHOD(DdResult, Flip, (DdSurface * targetOverride, std::uint32_t flags), (override));
    MOCK_METHOD(DdResult, GetAttachedSurface, (std::uint32_t caps, DdSurface** out), (override));
    MOCK_METHOD(DdResult, IsLost, (), (override));
    MOCK_METHOD(DdResult, Restore, (), (override));
    MOCK_METHOD(DdResult, SetClipper, (DdClipper * clipper), (override));
    MOCK_METHOD(DdResult, GetDC, (DeviceContext * out), (override));
    MOCK_METHOD(DdResult, ReleaseDC, (DeviceContext dc), (override));
    MOCK_METHOD(DdResult, Lock,
                (const DdRect* rect, DdSurfaceDesc* desc, std::uint32_t flags, void* event),
                (override));
    MOCK_METHOD(DdResult, Unlock, (void* pointer), (override));
    MOCK_METHOD(DdResult, SetColorKey, (std::uint32_t flags, const DdColorKey* key), (override));
    MOCK_METHOD(std::uint32_t, Release, (), (override));
};

class MockDirectDraw : public DirectDraw {
public:
    virtual ~MockDirectDraw() = default;
    MOCK_METHOD(DdResult, SetCooperativeLevel, (WindowHandle window, std::uint32_t flags),
                (override));
    MOCK_METHOD(DdResult, SetDisplayMode,
                (std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel),
                (override));
    MOCK_METHOD(DdResult, CreateSurface, (const DdSurfaceDesc* desc, DdSurface** out), (override));
    MOCK_METHOD(DdResult, CreateClipper, (std::uint32_t flags, DdClipper** out), (override));
    MOCK_METHOD(DdResult, WaitForVerticalBlank, (std::uint32_t flags, void* event), (override));
    MOCK_METHOD(std::uint32_t, Release, (), (override));
};

class MockDisplayPlatform : public DisplayPlatform {
public:
    virtual ~MockDisplayPlatform() = default;
    MOCK_METHOD(DdResult, DirectDrawCreate, (const DriverGuid* driver, DirectDraw** out),
                (override));
    MOCK_METHOD(GdiObject, LoadImageA,
                (const char* fileName, std::uint32_t type, int width, int height,
                 std::uint32_t flags),
                (override));
    MOCK_METHOD(int, GetObjectA, (GdiObject object, int size, GdiBitmap* out), (override));
    MOCK_METHOD(bool, DeleteObject, (GdiObject object), (override));
    MOCK_METHOD(DeviceContext, CreateCompatibleDC, (DeviceContext dc), (override));
    MOCK_METHOD(GdiObject, SelectObject, (DeviceContext dc, GdiObject object), (override));
    MOCK_METHOD(bool, BitBlt,
                (DeviceContext dest, int x, int y, int width, int height, DeviceContext source,
                 int sourceX, int sourceY, std::uint32_t rop),
                (override));
    MOCK_METHOD(bool, DeleteDC, (DeviceContext dc), (override));
    MOCK_METHOD(std::uint32_t, GetPixel, (DeviceContext dc, int x, int y), (override));
    MOCK_METHOD(std::uint32_t, SetPixel, (DeviceContext dc, int x, int y, std::uint32_t rgb),
                (override));
};

// Opaque handles for tests: distinct non-null values that are never
// dereferenced by the code under test.
template <typename Handle>
Handle fakeHandle(std::uintptr_t value) {
    return reinterpret_cast<Handle>(value);
}

// Action for out-parameter calls: stores `object` into the pointer passed as
// argument N and returns `result`.
//   EXPECT_CALL(dd, CreateSurface(_, _)).WillOnce(HandOut<1>(&surface, DD_OK));
template <std::size_t N, typename Object>
auto HandOut(Object* object, DdResult result) {
    return ::testing::DoAll(::testing::SetArgPointee<N>(object), ::testing::Return(result));
}

// The fixture of a display class's mock test: strict mocks of the platform,
// installed for the test's lifetime. Base is ::testing::Test or a
// ::testing::TestWithParam.
template <typename Base = ::testing::Test>
class MockDisplayTest : public Base {
protected:
    ::testing::StrictMock<MockDisplayPlatform> platform;
    ScopedDisplayPlatform installed{&platform};
};

// The same with a video driver made on a strict mock DirectDraw object.
template <typename Base = ::testing::Test>
class MockDriverTest : public MockDisplayTest<Base> {
protected:
    void SetUp() override {
        EXPECT_CALL(this->platform, DirectDrawCreate(nullptr, ::testing::_))
            .WillOnce(HandOut<1>(&dd, DD_OK));
        ASSERT_TRUE(driver.Create(nullptr));
    }

    ::testing::StrictMock<MockDirectDraw> dd;
    VideoDriver driver;
};

// A Surface handed a platform surface directly, and a colour key when a test
// gives it one, without the calls that would make them.
class HeldSurface : public Surface {
public:
    explicit HeldSurface(DdSurface* surface) { surface_ = surface; }
    void giveKey(std::uint32_t value) {
        keyValue_ = value;
        hasKey_ = 1;
    }
};
