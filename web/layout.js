// Where the 800 x 600 picture and the touch buttons go in the window.
export const PICTURE_WIDTH = 800;
export const PICTURE_HEIGHT = 600;

// The picture fitted into a room at 4:3: the largest whole number of device
// pixels per game pixel that fits, so that every game pixel is the same
// square; where not even one fits, the largest fraction (nearest neighbour).
export function fitPicture(room, pixelRatio) {
  const across = Math.min((room.width * pixelRatio) / PICTURE_WIDTH,
                          (room.height * pixelRatio) / PICTURE_HEIGHT);
  const scale = across >= 1 ? Math.floor(across) / pixelRatio : across / pixelRatio;
  const width = PICTURE_WIDTH * scale;
  const height = PICTURE_HEIGHT * scale;
  return {
    left: room.left + Math.floor((room.width - width) / 2),
    top: room.top + Math.floor((room.height - height) / 2),
    width, height,
  };
}

const GAP = 12;
// Room kept beside the picture (landscape) or below it (portrait) for the
// touch buttons, so that they never cover the play field.
const SIDE_BAR = 120;
const BOTTOM_BAND = 160;

// The picture's place, and with `touch` the buttons' places (by data-key),
// for a window of `width` x `height` CSS pixels. In landscape, Left and Right
// sit in the bar left of the picture and Fire in the bar right of it, under
// Pause and Quit; in portrait all of them sit in a band below the picture,
// with the full-screen button (`fullscreen`, else null: the top right corner).
export function layOut(width, height, pixelRatio, touch) {
  const all = { left: 0, top: 0, width, height };
  if (!touch) return { picture: fitPicture(all, pixelRatio), buttons: {}, fullscreen: null };
  const buttons = {};
  let picture;
  let fullscreen = null;
  if (width >= height) {
    picture = fitPicture({ ...all, left: SIDE_BAR, width: Math.max(width - 2 * SIDE_BAR, 1) },
                         pixelRatio);
    const bar = picture.left;
    const size = Math.max(40, Math.min(96, (bar - 3 * GAP) / 2));
    const bottom = height - GAP - size;
    buttons.ArrowLeft = { left: GAP, top: bottom, width: size, height: size };
    buttons.ArrowRight = { left: 2 * GAP + size, top: bottom, width: size, height: size };
    const right = picture.left + picture.width;
    const fire = Math.max(48, Math.min(120, bar - 2 * GAP));
    buttons.Space = { left: right + (width - right - fire) / 2, top: height - GAP - fire,
                      width: fire, height: fire };
    const small = { left: right + GAP, width: Math.max(48, width - right - 2 * GAP), height: 40 };
    buttons.KeyP = { ...small, top: GAP + 48 };
    buttons.Escape = { ...small, top: 2 * GAP + 88 };
  } else {
    picture = fitPicture({ ...all, height: Math.max(height - BOTTOM_BAND, 1) }, pixelRatio);
    picture.top = GAP;
    const bandTop = picture.top + picture.height + GAP;
    const size = Math.max(48, Math.min(96, height - bandTop - GAP, (width - 6 * GAP) / 4));
    // Low in the band, where thumbs reach.
    const top = Math.max(bandTop, height - 3 * GAP - size);
    buttons.ArrowLeft = { left: GAP, top, width: size, height: size };
    buttons.ArrowRight = { left: 2 * GAP + size, top, width: size, height: size };
    buttons.Space = { left: width - GAP - size, top, width: size, height: size };
    const middle = { left: 3 * GAP + 2 * size, width: width - 5 * GAP - 3 * size, height: 36 };
    buttons.KeyP = { ...middle, top };
    buttons.Escape = { ...middle, top: top + 36 + GAP / 2 };
    fullscreen = { left: width - GAP - 40, top: bandTop };
  }
  return { picture, buttons, fullscreen };
}
