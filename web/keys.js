// Keys go to the game by their position on the keyboard, as on Linux: the
// DOM's KeyboardEvent.code names the physical key whatever the layout, and
// is turned into SDL's scancode (the USB usage of that key), which the game
// reads through the same 256-byte snapshot as the keyboard of the desktop
// builds.
const named = {
  Enter: 40, Escape: 41, Backspace: 42, Tab: 43, Space: 44, Minus: 45, Equal: 46,
  BracketLeft: 47, BracketRight: 48, Backslash: 49, Semicolon: 51, Quote: 52, Backquote: 53,
  Comma: 54, Period: 55, Slash: 56, CapsLock: 57, Insert: 73, Home: 74, PageUp: 75,
  Delete: 76, End: 77, PageDown: 78, ArrowRight: 79, ArrowLeft: 80, ArrowDown: 81,
  ArrowUp: 82, ControlLeft: 224, ShiftLeft: 225, AltLeft: 226, MetaLeft: 227,
  ControlRight: 228, ShiftRight: 229, AltRight: 230, MetaRight: 231,
};

// SDL's scancode for a KeyboardEvent.code, or 0 for a key the game has no
// name for.
export function scancodeOf(code) {
  if (code in named) return named[code];
  let match = /^Key([A-Z])$/.exec(code);
  if (match) return 4 + match[1].charCodeAt(0) - 65;
  match = /^Digit([0-9])$/.exec(code);
  if (match) return match[1] === '0' ? 39 : 29 + Number(match[1]);
  match = /^F([1-9]|1[0-2])$/.exec(code);
  if (match) return 57 + Number(match[1]);
  return 0;
}

// Whether the page keeps the browser from acting on a key while the game
// has the focus: every key the game can read (arrows and Space would scroll),
// but not the function keys nor shortcuts with Ctrl, Alt or Meta, so that
// reloading, full screen and the browser's own keys keep working.
export function keepsFromPage(event) {
  if (event.ctrlKey || event.altKey || event.metaKey) return false;
  return scancodeOf(event.code) !== 0 && !/^F[0-9]+$/.test(event.code);
}

// The on-screen buttons of touch screens, and the picture itself, which
// holds Space under a finger: each element with a data-key holds that key
// while at least one finger is on it, so several can be held at once (Right
// held, Fire tapped). Fingers are followed by pointer id; a finger that
// slides off or is taken by the browser lets go. An element marked
// data-touch-only ignores the mouse (a click on the picture only gives it the
// keyboard).
export function wireTouchButtons(elements, hold) {
  const buttons = [...elements];
  const fingers = new Map(buttons.map((button) => [button, new Set()]));
  const press = (button, pointerId) => {
    const held = fingers.get(button);
    if (held.size === 0) hold(scancodeOf(button.dataset.key), true);
    held.add(pointerId);
    button.classList.add('held');
  };
  const lift = (button, pointerId) => {
    const held = fingers.get(button);
    if (!held.delete(pointerId) || held.size > 0) return;
    hold(scancodeOf(button.dataset.key), false);
    button.classList.remove('held');
  };
  for (const button of buttons) {
    button.addEventListener('pointerdown', (event) => {
      if (event.pointerType === 'mouse' && 'touchOnly' in button.dataset) return;
      // Keeps the keyboard focus on the canvas and the browser from turning
      // the touch into a click, a selection or a scroll.
      event.preventDefault();
      button.setPointerCapture(event.pointerId);
      press(button, event.pointerId);
    });
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      button.addEventListener(type, (event) => lift(button, event.pointerId));
    }
    button.addEventListener('contextmenu', (event) => event.preventDefault());
  }
  // Lets go of every button at once (the page lost the focus).
  return () => {
    for (const [button, held] of fingers) {
      held.clear();
      button.classList.remove('held');
    }
  };
}

// How long a button that asks for a second tap waits for it.
export const CONFIRM_MS = 2000;

// A button that acts only on a second tap within CONFIRM_MS of the first,
// so that no stray tap ends a game: the first shows `asking` on the button
// (class "asking") until the second tap or the time runs out. Returns the
// function that takes the question back.
export function wireSecondTap(button, asking, act) {
  const label = button.textContent;
  let timer = 0;
  const reset = () => {
    clearTimeout(timer);
    timer = 0;
    button.textContent = label;
    button.classList.remove('asking');
  };
  button.addEventListener('pointerdown', (event) => {
    event.preventDefault();
    if (timer) {
      reset();
      act();
      return;
    }
    button.textContent = asking;
    button.classList.add('asking');
    timer = setTimeout(reset, CONFIRM_MS);
  });
  button.addEventListener('contextmenu', (event) => event.preventDefault());
  return reset;
}
