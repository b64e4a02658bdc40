#include "base/ShellPlatform.h"

namespace {
ShellPlatform* installed = nullptr;
}

void installShellPlatform(ShellPlatform* platform) { installed = platform; }

ShellPlatform& shellPlatform() { return installed ? *installed : defaultShellPlatform(); }
