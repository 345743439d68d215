#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the installed game; then
# builds the Debian package, checks its fields and file list, unpacks it and
# starts the game from there. The program must find its engine library in
# both places through its own run path, with nothing else pointing at it.
#
# Arguments: the build folder, the project version, then the folders relative
# to the prefix (games, engine, data, manual pages, documentation), 1 or 0 for
# whether zekotool is built, and the help folder.
set -euo pipefail
build=$1 version=$2 gamesdir=$3 enginedir=$4 datadir=$5 mandir=$6 docdir=$7
have_zekotool=$8 helpdir=$9

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Every file the install puts down, relative to the prefix.
app=nl.kiezelgames.Zeko
expected=("$gamesdir/zeko" "$enginedir/libzeko32.so"
          "$datadir/applications/$app.desktop" "$datadir/metainfo/$app.metainfo.xml"
          "$datadir/mime/packages/zeko.xml" "$datadir/icons/hicolor/scalable/apps/zeko.svg"
          "$mandir/man6/zeko.6.gz" "$docdir/copyright" "$docdir/changelog.gz"
          "$helpdir/zeko_en.qch" "$helpdir/zeko_nl.qch")
icon_sizes=(16 24 32 48 64 128 256)
for size in "${icon_sizes[@]}"; do
    expected+=("$datadir/icons/hicolor/${size}x${size}/apps/zeko.png")
done
if [[ $have_zekotool == 1 ]]; then
    expected+=("$gamesdir/zekotool" "$mandir/man1/zekotool.1.gz")
fi

check_tree() {  # root, what it is
    local root=$1 what=$2 path size
    for path in "${expected[@]}"; do
        [[ -f $root/$path ]] || fail "$what lacks $path"
    done
    for size in "${icon_sizes[@]}"; do
        path="$root/$datadir/icons/hicolor/${size}x${size}/apps/zeko.png"
        if [[ -f $path ]] && ! file -b "$path" | grep -q "PNG image data, $size x $size,"; then
            fail "$what: $path is not a $size x $size PNG: $(file -b "$path")"
        fi
    done
    zcat "$root/$mandir/man6/zeko.6.gz" | grep -q '^\.TH ZEKO 6' ||
        fail "$what: zeko.6.gz is not the game's manual page"
    [[ -x $root/$gamesdir/zeko ]] || fail "$what: the program is not executable"
    zcat "$root/$docdir/changelog.gz" | head -1 | grep -q "^zeko ($version) " ||
        fail "$what: the change log's first entry is not version $version"
}

# Starts the game offscreen in a home of its own, with no library path set:
# once to its first painted window, where it ends by itself, and once until
# its first engine call has loaded the engine library, which must be the
# tree's own copy.
start_game() {  # root of the tree, what it is
    local program="$1/$gamesdir/zeko" engine home pid loaded=""
    engine="$(realpath -m "$1/$enginedir/libzeko32.so")"
    home="$(mktemp -d "$scratch/home.XXXX")"
    mkdir -m 700 "$home/run"
    local environment=(-u LD_LIBRARY_PATH -u LD_PRELOAD QT_QPA_PLATFORM=offscreen HOME="$home"
                       XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
                       XDG_RUNTIME_DIR="$home/run")
    if ! env "${environment[@]}" ZEKO_EXIT_AFTER_FIRST_PAINT=1 timeout 30 "$program" \
        >"$home/output" 2>&1; then
        fail "$2 did not start and end cleanly:"
        cat "$home/output" >&2
    fi
    # The open command it registered for game files, as a desktop (or
    # xdg-open without one) reads it.
    local entry="$home/data/applications/Zeko.GameFile.desktop"
    grep -qx "Exec=$(realpath "$program") %f" "$entry" ||
        fail "$2 registered no plain open command: $(grep '^Exec=' "$entry")"
    desktop-file-validate "$entry" || fail "$2: its open command's entry does not validate"
    if command -v xdg-mime >/dev/null; then
        [[ $(env -u XDG_CURRENT_DESKTOP XDG_DATA_HOME="$home/data" XDG_DATA_DIRS="$1/share" \
            xdg-mime query default application/x-zeko-gamefile) == Zeko.GameFile.desktop ]] ||
            fail "$2: xdg-mime does not open game files with it"
    fi
    env "${environment[@]}" "$program" >"$home/output" 2>&1 &
    pid=$!
    for _ in $(seq 150); do
        loaded="$(grep -o '/.*/libzeko32\.so$' "/proc/$pid/maps" 2>/dev/null | head -1)" || true
        [[ -n $loaded ]] && break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [[ $loaded == "$engine" ]] ||
        fail "$2 loaded '${loaded:-no engine}', not $engine"
}

echo "== Install into a scratch prefix"
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
check_tree "$prefix" "the install"
start_game "$prefix" "the installed program"
if [[ $have_zekotool == 1 ]]; then
    env -u LD_LIBRARY_PATH "$prefix/$gamesdir/zekotool" --help >"$scratch/zekotool-help" ||
        fail "the installed zekotool --help failed"
    grep -q list "$scratch/zekotool-help" || fail "zekotool --help names no commands"
fi

# Answered on the terminal: no display is there to open a window on.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LD_LIBRARY_PATH)
"${no_display[@]}" "$prefix/$gamesdir/zeko" --version >"$scratch/zeko-version" 2>&1 ||
    fail "zeko --version failed: $(cat "$scratch/zeko-version")"
grep -qx "zeko $version" "$scratch/zeko-version" || fail "zeko --version does not say $version"
"${no_display[@]}" "$prefix/$gamesdir/zeko" --help >"$scratch/zeko-help" 2>&1 ||
    fail "zeko --help failed: $(cat "$scratch/zeko-help")"
grep -q '^Usage: zeko \[FILE\]' "$scratch/zeko-help" || fail "zeko --help shows no usage"

echo "== Desktop files"
desktop-file-validate "$prefix/$datadir/applications/$app.desktop" ||
    fail "the launcher does not validate"
appstreamcli validate --no-net "$prefix/$datadir/metainfo/$app.metainfo.xml" ||
    fail "the metainfo does not validate"
grep -q "<release version=\"$version\"" "$prefix/$datadir/metainfo/$app.metainfo.xml" ||
    fail "the metainfo has no release for version $version"
# The MIME package, as the system's database would compile it.
update-mime-database "$prefix/$datadir/mime" >/dev/null 2>&1 ||
    fail "update-mime-database rejects the MIME package"
grep -qx 'application/x-zeko-gamefile:\*\.zgf' "$prefix/$datadir/mime/globs" ||
    fail "the MIME database does not map *.zgf to application/x-zeko-gamefile"

echo "== Debian package"
cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log" >&2
    fail "cpack failed"
}
deb="$(find "$scratch/package" -maxdepth 1 -name 'zeko_*.deb' -print -quit)"
if [[ -z $deb ]]; then
    fail "cpack made no zeko_*.deb"
else
    dpkg-deb --field "$deb" Package Version Section Depends Recommends >"$scratch/fields"
    grep -qx "Package: zeko" "$scratch/fields" || fail "the package is not named zeko"
    grep -qx "Version: $version" "$scratch/fields" || fail "the package is not version $version"
    grep -qx "Section: games" "$scratch/fields" || fail "the package is not in section games"
    # The libraries, and the SQLite driver the help is read through.
    for library in libc6 libqt6widgets6 libqt6gui6 libqt6core6 libqt6sql6-sqlite; do
        grep -q "^Depends:.*\b$library\b" "$scratch/fields" ||
            fail "the package does not depend on $library"
    done
    grep -q "^Recommends:.*\bqt6-translations-l10n\b" "$scratch/fields" ||
        fail "the package does not recommend Qt's translations"
    if command -v lintian >/dev/null; then
        lintian --pedantic -E -I "$deb" >"$scratch/lintian" 2>/dev/null || true
        if grep -q '^[EW]:' "$scratch/lintian"; then
            fail "lintian finds errors or warnings:"
            grep '^[EW]:' "$scratch/lintian" >&2
        fi
    fi
    # Nothing but the control file and the checksums: no maintainer scripts.
    dpkg-deb --ctrl-tarfile "$deb" | tar -t | sort >"$scratch/control-files"
    printf '%s\n' ./control ./md5sums | sort | cmp -s - "$scratch/control-files" ||
        fail "unexpected control files: $(tr '\n' ' ' <"$scratch/control-files")"
    # The file list: exactly the installed files, under /usr.
    dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./usr/||' | sort \
        >"$scratch/package-files"
    printf '%s\n' "${expected[@]}" | sort >"$scratch/expected-files"
    diff "$scratch/expected-files" "$scratch/package-files" >&2 ||
        fail "the package's files differ from the install's (< install only, > package only)"
    root="$scratch/root"
    dpkg-deb -x "$deb" "$root"
    check_tree "$root/usr" "the unpacked package"
    start_game "$root/usr" "the unpacked package's program"
fi

((failures == 0)) || exit 1
echo "install and package: all checks passed"
