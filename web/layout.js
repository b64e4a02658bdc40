// Where the 800 x 600 picture, the touch buttons and the four corner
// controls (scaling, sound, volume and full screen) go in the window.
export const PICTURE_WIDTH = 800;
export const PICTURE_HEIGHT = 600;

// The picture fitted into a room at 4:3, on whole device pixels. By default
// it takes the largest size that fits, whatever the factor (the browser
// scales by nearest neighbour, so it stays sharp, but not every game pixel
// is the same number of screen pixels). With `whole` it takes the largest
// whole number of device pixels per game pixel that fits, so that every game
// pixel is the same square; where not even one fits, the largest fraction.
export function fitPicture(room, pixelRatio, whole = false) {
  const across = Math.min((room.width * pixelRatio) / PICTURE_WIDTH,
                          (room.height * pixelRatio) / PICTURE_HEIGHT);
  const factor = whole && across >= 1 ? Math.floor(across) : across;
  const width = Math.floor(PICTURE_WIDTH * factor) / pixelRatio;
  const height = Math.floor(PICTURE_HEIGHT * factor) / pixelRatio;
  const onDevicePixel = (css) => Math.floor(css * pixelRatio) / pixelRatio;
  return {
    left: room.left + onDevicePixel((room.width - width) / 2),
    top: room.top + onDevicePixel((room.height - height) / 2),
    width, height,
  };
}

const GAP = 12;
// The least size of anything a finger aims at, in CSS pixels.
export const TARGET = 48;
// Room kept beside the picture (landscape) or below it (portrait) for the
// touch buttons, so that they never cover the play field: two buttons side
// by side in a bar, two rows in the band.
const SIDE_BAR = 3 * GAP + 2 * TARGET;
const BOTTOM_BAND = 160;

// The picture's place, the touch buttons' places (by their data-place) when
// `touch`, and the corner controls' places (`scale`, `sound`, `volume`, `fullscreen`;
// null for the top right corner of the window, where the style sheet puts
// them) for a window of `width` x `height` CSS pixels.
//
// In landscape Left and Right sit low in the bar left of the picture, with
// Quit at its top; the corner controls (sound beside Pause, volume under it), Pause and, low,
// Fire sit in the bar right of it. In portrait all of them sit in a band below the picture: Quit
// and the corner controls in its first row, Left, Right, Pause and Fire low,
// where thumbs reach. Quit stays far from Pause in both.
export function layOut(width, height, pixelRatio, touch, whole = false) {
  const all = { left: 0, top: 0, width, height };
  if (!touch) {
    return { picture: fitPicture(all, pixelRatio, whole), buttons: {}, scale: null, sound: null,
             volume: null, fullscreen: null };
  }
  const buttons = {};
  const square = (left, top, size = TARGET) => ({ left, top, width: size, height: size });
  let picture;
  let scale;
  let sound;
  let volume;
  let fullscreen;
  if (width >= height) {
    picture = fitPicture({ ...all, left: SIDE_BAR, width: Math.max(width - 2 * SIDE_BAR, 1) },
                         pixelRatio, whole);
    const bar = picture.left;
    const size = Math.max(TARGET, Math.min(96, (bar - 3 * GAP) / 2));
    buttons.Quit = { left: GAP, top: GAP, width: Math.max(TARGET, bar - 2 * GAP), height: TARGET };
    buttons.ArrowLeft = square(GAP, height - GAP - size, size);
    buttons.ArrowRight = square(2 * GAP + size, height - GAP - size, size);
    const right = picture.left + picture.width;
    const rightBar = Math.max(width - right, SIDE_BAR);
    scale = square(right + GAP, GAP);
    fullscreen = square(right + 2 * GAP + TARGET, GAP);
    const pauseWidth = Math.max(TARGET, rightBar - 3 * GAP - TARGET);
    buttons.KeyP = { left: right + GAP, top: 2 * GAP + TARGET, width: pauseWidth, height: TARGET };
    sound = square(right + 2 * GAP + pauseWidth, 2 * GAP + TARGET);
    // Under sound, beside the best score under Pause.
    volume = square(sound.left, 3 * GAP + 2 * TARGET);
    const fire = Math.max(TARGET, Math.min(120, rightBar - 2 * GAP));
    buttons.Space = square(right + (rightBar - fire) / 2, height - GAP - fire, fire);
  } else {
    picture = fitPicture({ ...all, height: Math.max(height - BOTTOM_BAND, 1) }, pixelRatio, whole);
    picture.top = Math.min(picture.top, GAP);
    const bandTop = picture.top + picture.height + GAP;
    const size = Math.max(TARGET, Math.min(96, (width - 5 * GAP) / 4,
                                           height - bandTop - TARGET - 3 * GAP));
    volume = square(width - 4 * GAP - 4 * TARGET, bandTop);
    buttons.Quit = { left: GAP, top: bandTop,
                     width: Math.max(TARGET, Math.min(2 * size + GAP, volume.left - 2 * GAP)), height: TARGET };
    scale = square(width - 3 * GAP - 3 * TARGET, bandTop);
    sound = square(width - 2 * GAP - 2 * TARGET, bandTop);
    fullscreen = square(width - GAP - TARGET, bandTop);
    const top = Math.max(bandTop + TARGET + GAP, height - 3 * GAP - size);
    buttons.ArrowLeft = square(GAP, top, size);
    buttons.ArrowRight = square(2 * GAP + size, top, size);
    buttons.KeyP = { left: 3 * GAP + 2 * size, top, width: Math.max(TARGET, width - 5 * GAP - 3 * size),
                     height: size };
    buttons.Space = square(width - GAP - size, top, size);
  }
  return { picture, buttons, scale, sound, volume, fullscreen };
}
