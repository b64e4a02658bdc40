# shellcheck shell=bash
# Helpers for the checks of the Linux release files, on top of the desktop
# checks' session (tests/desktop/desktop_session.sh: Xvfb, the game's
# process, clean-up). Sourced, never run. The caller sets GAME first.
SOURCE_DIR=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../..")
. "$SOURCE_DIR/tests/desktop/desktop_session.sh"

# $1: a folder laid out as an installation (bin/, share/), $2: the desktop
# entry's path in it (the only one there unless given). Its files, its
# desktop entry and metainfo, and the game started from another folder:
# --version, then under Xvfb the title screen with its pictures.
check_installed_tree() {
    local root=$1 entry=${2:-} id
    [ -x "$root/bin/zorbanix" ] || fail "no $root/bin/zorbanix"
    # The game's 18 pictures and the letter sheet of the screen between games.
    [ "$(find "$root/share/zorbanix" -name '*.bmp' | wc -l)" = 19 ] ||
        fail "$root/share/zorbanix does not hold the 19 pictures"
    [ -n "$entry" ] || entry=$(echo "$root"/share/applications/*.desktop)
    [ -f "$entry" ] || fail "no desktop entry $entry"
    id=$(basename "$entry" .desktop)
    desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
    grep -qx 'Categories=Game;ArcadeGame;' "$entry" || fail "$entry: not in Game;ArcadeGame;"
    wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
    [ -n "$wm_class" ] || fail "$entry: no StartupWMClass"
    appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" ||
        fail "appstreamcli validate: $root/share/metainfo/$id.metainfo.xml"
    local shot
    while read -r shot; do
        [ -f "$SOURCE_DIR/docs/$shot" ] || fail "the metainfo names $shot, not in docs/screenshots"
    done < <(grep -o 'screenshots/[a-z]*\.png' "$root/share/metainfo/$id.metainfo.xml")
    [ "$(find "$root/share/icons/hicolor" -path "*/apps/$id.png" | wc -l)" -ge 3 ] ||
        fail "fewer than three icons named $id.png in $root/share/icons/hicolor"

    local version
    : "${VERSION:?the script that sources this sets VERSION}"
    version=$(cd / && "$root/bin/zorbanix" --version)
    [ "$version" = "Zorbanix $VERSION" ] || fail "--version said '$version', not 'Zorbanix $VERSION'"
    GAME=$root/bin/zorbanix show_title
    log "$root: files, desktop entry, metainfo, icons, '$version', the title screen"
}

# Starts $GAME in a window from an empty folder and waits until it shows the
# title screen as docs/screenshots/title.png has it (fewer than 0.5 % of the
# pixels differ), with no picture reported missing.
show_title() {
    [ -n "$xvfb_pid" ] || start_x 1024x768x24
    rm -rf "$WORK/elsewhere"
    mkdir "$WORK/elsewhere"
    (cd "$WORK/elsewhere" && exec "$GAME" --window) >"$WORK/game.out" 2>"$WORK/game.log" &
    game_pid=$!
    wait_until 20 'game_window=$(xdotool search --name "^Zorbanix\$" 2>/dev/null | head -1);
                   [ -n "$game_window" ]' || fail "$GAME: no game window"
    title_shown() {
        local differing
        import -window "$game_window" "$WORK/shot.png" 2>/dev/null || return 1
        differing=$(compare -metric AE -fuzz 6% "$WORK/shot.png" \
            "$SOURCE_DIR/docs/screenshots/title.png" null: 2>&1 || true)
        [[ ${differing%% *} =~ ^[0-9]+$ ]] && [ "${differing%% *}" -lt 2400 ]
    }
    wait_until 20 title_shown || fail "$GAME: the title screen did not appear"
    ! grep -q "cannot read picture" "$WORK/game.log" || fail "$GAME: $(cat "$WORK/game.log")"
    # The class docks match with the desktop entry's StartupWMClass.
    if [ -n "${wm_class:-}" ]; then
        local class
        class=$(xprop -id "$game_window" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
        [ "$class" = "$wm_class" ] || fail "window class '$class', desktop entry '$wm_class'"
    fi
    stop_game
}
