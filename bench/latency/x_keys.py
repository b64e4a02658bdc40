#!/usr/bin/env python3
"""Presses keys on an X display through XTest, as a keyboard would, and
writes when each press reached the X server.

    x_keys.py <presses> <out file>

On $DISPLAY: Space (the title's start), then after the 3 s get-ready wait
`presses` taps of Left and Right in turn, each held 40 ms with 30 to 90 ms
between them (random, so that presses fall at every point of a frame).
Writes "arrival <DIK code> <ms>" per tap, on CLOCK_MONOTONIC, taken when the
server has the event (after an XSync), which is when the program's socket
has it too.
"""
import ctypes
import random
import sys
import time

DIK = {"Left": 0xCB, "Right": 0xCD}
KEYSYM = {"space": 0x20, "Left": 0xFF51, "Right": 0xFF53}


def now():
    return time.clock_gettime(time.CLOCK_MONOTONIC) * 1000.0


def main():
    presses, out = int(sys.argv[1]), sys.argv[2]
    x11 = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XKeysymToKeycode.restype = ctypes.c_ubyte
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                       ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    if not display:
        print("x_keys.py: cannot open the X display", file=sys.stderr)
        return 1
    codes = {name: x11.XKeysymToKeycode(display, sym) for name, sym in KEYSYM.items()}

    def key(name, down):
        xtst.XTestFakeKeyEvent(display, codes[name], 1 if down else 0, 0)
        x11.XSync(display, 0)
        return now()

    key("space", True)
    time.sleep(0.1)
    key("space", False)
    time.sleep(3.6)
    rng = random.Random(24)
    with open(out, "w", encoding="utf-8") as log:
        for i in range(presses):
            name = "Left" if i % 2 == 0 else "Right"
            arrived = key(name, True)
            log.write(f"arrival {DIK[name]} {arrived:.3f}\n")
            time.sleep(0.040)
            key(name, False)
            time.sleep(rng.uniform(0.030, 0.090))
    return 0


if __name__ == "__main__":
    sys.exit(main())
