# The names of the game's 18 pictures, which tools/artwork paints: one list
# for the Linux build that paints and installs them (tools/CMakeLists.txt),
# the Windows zip (cmake/Dist.cmake) and the browser's zorbanix.data
# (cmake/Web.cmake).
set(ZORBANIX_PICTURE_NAMES
    nanite.bmp poopy.bmp pukey.bmp drippy.bmp
    poopbullet.bmp pukebullet.bmp dripbullet.bmp pbullet.bmp
    background.bmp numbers.bmp getready.bmp paused.bmp
    title.bmp space.bmp ostrelwyn.bmp presents.bmp bird.bmp gameover.bmp)

# The lettering of the screen between two games, which only the Linux and
# browser games have: never in the Windows zip.
set(ZORBANIX_BETWEEN_GAMES_PICTURE_NAMES letters.bmp)
