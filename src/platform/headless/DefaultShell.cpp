#include "base/ShellPlatform.h"
#include "platform/headless/HeadlessShell.h"

// Programs that link the harness (the tests and the tools) start on a
// headless shell, so the start tick is taken from its counter. It has to be a
// function-local object: it is first used during static initialisation.
ShellPlatform& defaultShellPlatform() {
    static HeadlessShell shell;
    return shell;
}

// Named on the link line of everything that links the harness, so that the
// linker takes this file even when the harness comes before the core that
// asks for defaultShellPlatform().
extern "C" void zorbanixHeadlessDefaultShell() {}
