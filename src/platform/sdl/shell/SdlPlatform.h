#pragma once

#include "platform/sdl/audio/SdlSoundOutput.h"
#include "platform/sdl/display/SdlDisplayPacing.h"
#include "platform/sdl/display/SdlPresenter.h"
#include "platform/sdl/display/SdlWindowOptions.h"
#include "platform/sdl/input/SdlDevicePlatform.h"
#include "platform/sdl/input/SdlPlayerKeys.h"
#include "platform/sdl/shell/SdlShell.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// The SDL layer of one run of the program, held by one object that the entry
// point makes (the Linux program's main, the browser's) and keeps until the
// program ends. It owns every part and hands each the others it reads:
// - the window options (how the window is made and scaled), set before the
//   window is made: read by the shell and the window presenter;
// - the shell (SdlShell.h), with its event loop: the key state, the window
//   requests and the gamepads;
// - the keys the input devices read (SdlShellKeys, over the shell's key
//   state) and the device platform that makes the devices;
// - the sound output (one SDL audio device), which the devices open and the
//   shell hands the player's mute and volume keys;
// - the pacing clock, and the window presenter (SdlPresenter.h) that paces
//   and shows the frames in the window (the browser brings its own canvas
//   presenter instead);
// - the display platform (software surfaces in RGB565), with the folders
//   its pictures are looked for in.
// install() puts the display, the devices and the shell into the core's
// seams; uninstall() (or the destructor) takes them out again, after the
// game has let go of its devices and before SDL is shut down.
class SdlPlatform {
public:
    explicit SdlPlatform(const SdlWindowOptions& window = {});
    ~SdlPlatform();
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // Until the window is made.
    SdlWindowOptions& windowOptions() { return window_; }
    SdlShell& shell() { return shell_; }
    SdlSoundOutput& sound() { return sound_; }
    DevicePlatform& devices() { return devices_; }
    SdlPresenter& windowPresenter() { return presenter_; }
    SoftwareDisplay& display() { return display_; }

    // The frames go to `presenter`, or with none to the window presenter.
    void install(FramePresenter* presenter = nullptr);
    void uninstall();

private:
    SdlWindowOptions window_;
    SdlPacingClock clock_;
    SdlSoundOutput sound_;
    SdlShell shell_;
    SdlShellKeys keys_;
    SdlDevicePlatform devices_;
    SdlPresenter presenter_;
    SoftwareDisplay display_;
    FramePresenter* shown_ = nullptr;
};
