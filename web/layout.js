// The one place of the page that the style sheet cannot work out: the
// game's 800 x 600 picture on whole device pixels. The style sheet lays the
// page out (style.css) and leaves a room for the picture; the picture takes
// the largest size that fits in it, at its own 4:3.
export const PICTURE_WIDTH = 800;
export const PICTURE_HEIGHT = 600;

// The picture fitted into `room` (a box in CSS pixels from the window's top
// left) at `pixelRatio` device pixels per CSS pixel, its edges on whole
// device pixels. By default it takes the largest size that fits, whatever
// the factor (the browser scales by nearest neighbour, so it stays sharp,
// but not every game pixel is the same number of screen pixels). With
// `whole` it takes the largest whole number of device pixels per game pixel
// that fits, so that every game pixel is the same square; where not even one
// fits, the largest fraction.
export function fitPicture(room, pixelRatio, whole = false) {
  // The room in whole device pixels, inside its edges (the style sheet's
  // shares of the window fall between device pixels).
  const inward = (css, up) => (up ? Math.ceil(css * pixelRatio - 1e-6)
                                    : Math.floor(css * pixelRatio + 1e-6));
  const left = inward(room.left, true);
  const top = inward(room.top, true);
  const across = Math.max(inward(room.left + room.width, false) - left, 0);
  const down = Math.max(inward(room.top + room.height, false) - top, 0);
  const fits = Math.min(across / PICTURE_WIDTH, down / PICTURE_HEIGHT);
  const factor = whole && fits >= 1 ? Math.floor(fits) : fits;
  const width = Math.floor(PICTURE_WIDTH * factor);
  const height = Math.floor(PICTURE_HEIGHT * factor);
  return {
    left: (left + Math.floor((across - width) / 2)) / pixelRatio,
    top: (top + Math.floor((down - height) / 2)) / pixelRatio,
    width: width / pixelRatio,
    height: height / pixelRatio,
  };
}
