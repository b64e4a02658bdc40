/* Sends WM_CLOSE to the game's window from another program, as a task list
 * or a script does: with SendMessage, so that the game's own thread takes it
 * whenever it lets the system deliver sent messages (the intro and the
 * title do that once a frame). Built with mingw-w64 by the driver that uses
 * it; exits 2 when there is no window, 3 when the window did not answer
 * within 10 s. */
#include <windows.h>

int main(void) {
    HWND window = FindWindowA("Zorbanix", "Zorbanix");
    DWORD_PTR answer = 0;
    if (!window) return 2;
    if (!SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &answer)) return 3;
    return 0;
}
