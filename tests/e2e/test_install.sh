#!/usr/bin/env bash
# The viewer as installed: `cmake --install` into a prefix, the tree moved
# elsewhere, the launcher started from an unrelated folder shows the sky and
# the sea with nothing missing; a link to it with OCEAN_VIEWER_DATA naming a
# user's own folder shows that folder's sky; without its data folder it says
# so in one line, naming the folder and the setting that chose it; it answers
# --help and --version itself. The window carries the class, process id and
# icon docks need from the moment it first asks to be mapped, and the viewer
# is built hardened. The desktop entry and the software centres' listing
# validate, the copyright file names the licence, and the manual page renders
# without warnings; every console message it lists is one the programs print.
source "$(dirname "$0")/lib.sh"

cmake --install "$OCEAN_BUILD" --prefix "$WORK/installed" > "$WORK/install.log" 2>&1 ||
    fail "install: $(tail -n 5 "$WORK/install.log")"
mv "$WORK/installed" "$WORK/moved"
TREE=$WORK/moved
OCEAN_BINARY=$TREE/bin/ocean-viewer
RUN_DIR=$WORK/elsewhere
mkdir -p "$RUN_DIR"

# The menu entry starts the installed launcher and shows an installed icon.
entry=$TREE/share/applications/ocean-viewer.desktop
validation=$(desktop-file-validate "$entry" 2>&1) || fail "desktop entry: $validation"
[ -z "$validation" ] || fail "desktop entry: $validation"
[ -x "$TREE/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")" ] || fail "Exec= names no installed program"
icon=$(sed -n 's/^Icon=//p' "$entry")
icons=0
for file in "$TREE"/share/icons/hicolor/*/apps/"$icon".png; do
    [ -f "$file" ] || fail "no icon '$icon' in the theme"
    size=$(basename "$(dirname "$(dirname "$file")")")
    [ "$(identify -format %wx%h "$file")" = "$size" ] || fail "icon $file is not $size"
    icons=$((icons + 1))
done
echo "$icons icons"

# The software centres' listing names the installed entry, and the validator
# finds nothing in it but its id, the package's name where a reverse domain
# name is asked for: that needs a domain the project does not have yet.
listing=$TREE/share/metainfo/ocean-viewer.metainfo.xml
[ -f "$TREE/share/applications/$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$listing")" ] ||
    fail "the listing's launchable names no installed desktop entry"
appstreamcli validate --pedantic --no-net --no-color "$listing" > "$WORK/listing.txt" 2>&1 || true
! grep -E '^[EWIP]: ' "$WORK/listing.txt" | grep -vE ': cid-(desktopapp-is-not-rdns|contains-hyphen) ' ||
    fail "listing: $(cat "$WORK/listing.txt")"
grep -qx 'License: Expat' "$TREE/share/doc/ocean-viewer/copyright" || fail "the copyright file names no Expat licence"

MANWIDTH=80 man --warnings -l "$TREE/share/man/man6/ocean-viewer.6.gz" > "$WORK/man.txt" 2> "$WORK/man.err" ||
    fail "man: $(cat "$WORK/man.err")"
[ ! -s "$WORK/man.err" ] || fail "manual page warnings: $(cat "$WORK/man.err")"
grep -q OCEAN_VIEWER_DATA "$WORK/man.txt" || fail "the manual page does not name OCEAN_VIEWER_DATA"
# The manual page is where the console messages are described. Each fixed
# text of a message it lists (bold in its DIAGNOSTICS section; the names and
# numbers filled in at run time left out) must be in the viewer, the launcher
# or the JPEG library, so a message changed in the code shows here.
viewer=$TREE/lib/ocean-viewer/ocean
{
    strings -a "$viewer" "$(ldd "$viewer" | awk '/libjpeg/ { print $3 }')"
    cat "$TREE/bin/ocean-viewer"
} > "$WORK/program-texts.txt"
zcat "$TREE/share/man/man6/ocean-viewer.6.gz" | awk '
    /^\.SH / { inside = ($2 == "DIAGNOSTICS") }
    inside && tag && /^\.(B|BI|BR) / {
        macro = $1
        rest = substr($0, length(macro) + 2)
        # .B sets its whole line bold; .BI and .BR their odd arguments.
        if (macro == ".B") {
            gsub(/"/, "", rest)
            rest = "\"" rest "\""
        }
        for (n = 1; ; n++) {
            sub(/^ +/, "", rest)
            if (rest == "")
                break
            # An argument is quoted or ends at a space.
            quoted = substr(rest, 1, 1) == "\""
            if (quoted)
                rest = substr(rest, 2)
            stop = index(rest (quoted ? "\"" : " "), quoted ? "\"" : " ")
            text = substr(rest, 1, stop - 1)
            rest = substr(rest, stop + 1)
            if (n % 2 == 0)
                continue
            gsub(/\\-/, "-", text)
            gsub(/\\\(dq/, "\"", text)
            gsub(/"|: |[0-9]+/, "\n", text)
            print text
        }
    }
    { tag = inside && /^\.TP/ }' | sed 's/^ *//; s/ *$//' | grep '[A-Za-z]' > "$WORK/message-texts.txt" || true
[ -s "$WORK/message-texts.txt" ] || fail "the manual page lists no console messages"
while IFS= read -r text; do
    grep -qF -- "$text" "$WORK/program-texts.txt" || fail "no program prints the manual page's message text '$text'"
done < "$WORK/message-texts.txt"
echo "$(wc -l < "$WORK/message-texts.txt") message texts"

# The sky, and the sea near the eye.
SKY=1280x400+0+0
SEA=1280x200+0+824

start_display
# A window manager reads the window's identity when the window first asks to
# be mapped: the stand-in writes what it finds then.
"${OCEAN_MAP_REQUESTS:?}" > "$WORK/map-requests.txt" 2>&1 &
manager=$!
await 10 "no stand-in window manager" grep -q managing "$WORK/map-requests.txt"
start_ocean
kill "$manager"
[ "$(readlink "/proc/$OCEAN_PID/exe")" = "$TREE/lib/ocean-viewer/ocean" ] ||
    fail "the process is not the moved tree's viewer"
xdotool search --onlyvisible --name '^ocean-viewer$' > /dev/null || fail "the window is not titled ocean-viewer"
# Docks match the window to the menu entry by its class, and to the process by
# its id; the icon is the installed 48 pixel one, pixel for pixel.
awk '/^map request/ { n++ } n == 1' "$WORK/map-requests.txt" > "$WORK/first-map.txt"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
grep -qF "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" "$WORK/first-map.txt" ||
    fail "window class at the first map request: $(grep -v _NET_WM_ICON "$WORK/first-map.txt")"
grep -qx "_NET_WM_PID(CARDINAL) = $OCEAN_PID" "$WORK/first-map.txt" ||
    fail "process id at the first map request: $(grep -v _NET_WM_ICON "$WORK/first-map.txt")"
icon_pixels=$("$CONVERT" "$TREE/share/icons/hicolor/48x48/apps/$icon.png" -depth 8 RGBA:- | od -An -v -tu1 |
    xargs -n 4 | awk '{ printf "%s%.0f", (NR > 1 ? ", " : ""), (($4 * 256 + $1) * 256 + $2) * 256 + $3 }')
grep -qF "_NET_WM_ICON(CARDINAL) = 48, 48, $icon_pixels" "$WORK/first-map.txt" ||
    fail "the window's icon at the first map request is not the installed 48 pixel icon"
# The distribution's hardening, read off the program: position-independent,
# stack protector, fortified calls, read-only relocations, immediate binding.
elf=$(readelf -W -l -d "$viewer"; nm -D "$viewer")
for property in 'FLAGS_1.*PIE' ' U __stack_chk_fail' ' U __[a-z]+_chk@' 'GNU_RELRO' 'FLAGS_1.*NOW'; do
    grep -qE "$property" <<< "$elf" || fail "not hardened: no '$property' in readelf and nm"
done
screenshot "$WORK/installed.xwd"
ocean_running || fail "the installed viewer ended on its own"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
! grep -E "can't open|Error|shader \"" "$WORK/stdout" "$WORK/stderr" || fail "messages from the installed viewer"
read -r r g b <<< "$(region_mean "$WORK/installed.xwd" $SKY)"
echo "sky $r $g $b"
[ "$b" -gt $((r + 30)) ] && [ $((r + g + b)) -gt 300 ] || fail "the sky is not light blue ($r $g $b)"
read -r r g b <<< "$(region_mean "$WORK/installed.xwd" $SEA)"
echo "sea $r $g $b"
[ "$g" -gt $((r + 20)) ] && [ "$b" -gt $((r + 20)) ] && [ $((r + g + b)) -gt 100 ] ||
    fail "the sea is not blue-green ($r $g $b)"

# A user's own folder, named relative to where the user stands, with a red sky.
cp -r "$TREE/share/ocean-viewer" "$RUN_DIR/my-sea"
"$CONVERT" -size 512x256 xc:"rgb(200,60,40)" "$RUN_DIR/my-sea/cloudy1.jpg"
mkdir "$RUN_DIR/bin"
ln -s "$TREE/bin/ocean-viewer" "$RUN_DIR/bin/ocean-viewer"
OCEAN_BINARY=$RUN_DIR/bin/ocean-viewer
export OCEAN_VIEWER_DATA=my-sea
start_ocean
screenshot "$WORK/own-sky.xwd"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "own folder: exit status after Escape: $OCEAN_STATUS"
read -r r g b <<< "$(region_mean "$WORK/own-sky.xwd" $SKY)"
echo "own sky $r $g $b"
[ "$r" -gt $((b + 60)) ] || fail "the sky is not the own folder's red ($r $g $b)"
unset OCEAN_VIEWER_DATA

# The launcher's own answers, without a display: what it is, the controls and
# where the data comes from; the project's version.
version=$(sed -n 's/^project(ocean_viewer VERSION \([0-9.]*\).*/\1/p' "${OCEAN_SOURCE:?}/CMakeLists.txt")
answer=$(env -u DISPLAY "$TREE/bin/ocean-viewer" --version) || fail "--version: status $?"
[ "$answer" = "ocean-viewer $version" ] || fail "--version: '$answer', not 'ocean-viewer $version'"
answer=$(env -u DISPLAY "$TREE/bin/ocean-viewer" --help) || fail "--help: status $?"
for part in "Usage: ocean-viewer" "space" "Escape" "$TREE/share/ocean-viewer" OCEAN_VIEWER_DATA; do
    grep -qF -- "$part" <<< "$answer" || fail "--help says nothing of '$part'"
done

# Without its data folder, one line naming it and the setting that chose it.
mv "$TREE/share/ocean-viewer" "$WORK/away"
for data in "" "$WORK/absent"; do
    status=0
    (cd "$RUN_DIR" && OCEAN_VIEWER_DATA=$data "$TREE/bin/ocean-viewer") \
        > "$WORK/stdout" 2> "$WORK/stderr" || status=$?
    [ "$status" -ne 0 ] && [ ! -s "$WORK/stdout" ] && [ "$(wc -l < "$WORK/stderr")" = 1 ] ||
        fail "no data folder: status $status, not one line"
    expected="$data (named by OCEAN_VIEWER_DATA)"
    [ -n "$data" ] || expected="moved/share/ocean-viewer (the install's own"
    grep -qF "$expected" "$WORK/stderr" || fail "no data folder: no '$expected' in $(cat "$WORK/stderr")"
done
echo "PASS"
