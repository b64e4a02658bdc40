#pragma once

// Opaque handles that the shell hands to the display and the devices. Each
// platform layer casts its own objects to and from them; the game core only
// passes them along.
struct WindowObject;
struct InstanceObject;
using WindowHandle = WindowObject*;
using InstanceHandle = InstanceObject*;
