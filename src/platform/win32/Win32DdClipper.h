#pragma once

#include "platform/win32/Win32Api.h"

// The display's clipper on an IDirectDrawClipper. The wrapper owns one
// reference to the COM object and goes away with it.
class Win32DdClipper final : public DdClipper {
public:
    explicit Win32DdClipper(IDirectDrawClipper* clipper) : clipper_(clipper) {}

    DdResult SetHWnd(std::uint32_t flags, WindowHandle window) override;
    std::uint32_t Release() override;

    IDirectDrawClipper* com() const { return clipper_; }

    // The COM object behind one of ours (null for null).
    static IDirectDrawClipper* unwrap(DdClipper* clipper) {
        return clipper ? static_cast<Win32DdClipper*>(clipper)->clipper_ : nullptr;
    }

private:
    ~Win32DdClipper() = default;

    IDirectDrawClipper* clipper_;
};
