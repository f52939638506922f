#!/usr/bin/env bash
# Kinsight as a desktop and a Debian system get it, run on a virtual X
# server (scripts/with-xvfb.sh):
#
#   packaging_test.sh install BUILD_DIR VERSION
#       `cmake --install` into a prefix other than the configured one; the
#       launcher, the metainfo and the manual pages pass their validators, and
#       the launcher, started as a desktop starts it (gio launch, with that
#       prefix on PATH and XDG_DATA_DIRS), opens the installed program on its
#       first question.
#   packaging_test.sh package BUILD_DIR VERSION DEB
#       The package built from debian/ (.ci/run builds it): its paths, its
#       control fields (an Installed-Size that is what dpkg installs),
#       lintian --pedantic without a tag that the README does not list, and
#       the program extracted from it (dpkg -x) opening on its first question.
#   packaging_test.sh bare BUILD_DIR VERSION
#       The README's build and install on a machine without GoogleTest (it is
#       hidden from CMake): the default options configure without the tests,
#       the programs build and install; asking for the tests there is an error
#       that names the set-up that brings them. No display needed.
# Every built and installed program is checked to carry no run path.
set -euo pipefail

mode=$1
# The program must open real windows on the server, whatever the tests set.
unset QT_QPA_PLATFORM
build=$(realpath "$2")
version=$3
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
app_id=io.github.kinsight.Kinsight
work=$(mktemp -d "${TMPDIR:-/tmp}/kinsight-packaging-XXXXXX")
# Ends whatever runs from the test's own folder, found or not: a program
# that a launcher started is no child of this script.
end_programs() {
    local proc exe
    for proc in /proc/[0-9]*; do
        exe=$(readlink "$proc/exe" 2>/dev/null) || continue
        [[ $exe == "$work"/* ]] && kill "${proc#/proc/}" 2>/dev/null
    done
    rm -rf "$work" ${bare:+"$bare"}
}
bare=
trap end_programs EXIT
trap 'exit 143' TERM INT
# shellcheck source=../../scripts/x_session.sh
source "$source_dir/scripts/x_session.sh"

passed=0
ok() {
    echo "ok   $*"
    passed=$((passed + 1))
}
# LABEL COMMAND...: passes when COMMAND succeeds and prints nothing.
silent() {
    local label=$1 output status=0
    shift
    output=$("$@" 2>&1) || status=$?
    if [ $status -ne 0 ] || [ -n "$output" ]; then
        fail "$label: status $status: $output"
    else
        ok "$label"
    fi
}

title=$(head -n 1 "$source_dir/quiz/way.txt" | tr -d '\r')
title_pattern="^$(sed 's/[][\.*^$?+(){}|/]/\\&/g' <<<"$title")\$"

# PROGRAM LABEL: a visible main window titled as the quiz comes up, belonging
# to the process of PROGRAM (a path, resolved through links), which is then
# ended. Whoever started the program may have gone, so the window is found by
# its title and its owner by the window.
expect_first_question() {
    local program label=$2 window pid
    program=$(realpath "$1")
    if ! window=$(wait_for_window '' "$title_pattern"); then
        fail "$label: no window titled \"$title\""
        return 0
    fi
    pid=$(xdotool getwindowpid "$window")
    local running
    running=$(readlink "/proc/$pid/exe" || true)
    if [ "$running" != "$program" ]; then
        fail "$label: the window belongs to $running, not $program"
    else
        ok "$label: \"$title\" from $program"
    fi
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
}

# LABEL PROGRAM...: none of the programs has a run path (RPATH or RUNPATH).
no_run_path() {
    local label=$1 program paths
    shift
    for program in "$@"; do
        paths=$(readelf -d "$program" | grep -E '\((RPATH|RUNPATH)\)' || true)
        if [ -n "$paths" ]; then
            fail "$label: $program has a run path: $paths"
            return 0
        fi
    done
    ok "$label: no run path in $# programs"
}

install_test() {
    local configured prefix=$work/elsewhere
    configured=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
    [ "$configured" != "$prefix" ] || fail "the test prefix is the configured one"
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
        { cat "$work/install.log"; exit 1; }

    no_run_path "readelf -d" "$build/bin/kinsight" "$build/bin/kinsight-check" \
        "$prefix/lib/kinsight/kinsight" "$prefix/lib/kinsight/kinsight-check"

    local desktop=$prefix/share/applications/$app_id.desktop
    local metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
    silent "desktop-file-validate" desktop-file-validate "$desktop"
    if grep -qx 'Exec=kinsight' "$desktop" && grep -qx 'TryExec=kinsight' "$desktop" &&
        grep -qx "Icon=$app_id" "$desktop"; then
        ok "launcher: Exec and TryExec without a path, Icon=$app_id"
    else
        fail "launcher: $(grep -E '^(Exec|TryExec|Icon)=' "$desktop" | tr '\n' ' ')"
    fi
    local icon
    for icon in 16x16/apps/$app_id.png 48x48/apps/$app_id.png scalable/apps/$app_id.svg; do
        [ -f "$prefix/share/icons/hicolor/$icon" ] || fail "no icon $icon"
    done

    local output status=0
    output=$(appstreamcli validate --no-net "$metainfo" 2>&1) || status=$?
    if [ $status -ne 0 ] || grep -qE '^(E|W):' <<<"$output"; then
        fail "appstreamcli validate: status $status: $output"
    elif ! grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
        ! grep -q "<id>$app_id</id>" "$metainfo" ||
        ! grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo"; then
        fail "metainfo: id, release $version or license missing"
    else
        ok "appstreamcli validate: release $version"
    fi

    local page
    for page in man1/kinsight man1/kinsight-check ru/man1/kinsight ru/man1/kinsight-check; do
        silent "groff -man -ww -z $page.1" \
            sh -c 'zcat "$1" | groff -k -man -Tutf8 -ww -z' sh "$prefix/share/man/$page.1.gz"
    done

    # Started as a desktop starts it: by the launcher, the program found on
    # PATH, never by a path written at build time.
    env PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share:/usr/local/share:/usr/share" \
        gio launch "$desktop" >"$work/launch.log" 2>&1 ||
        fail "gio launch: $(cat "$work/launch.log")"
    expect_first_question "$prefix/lib/kinsight/kinsight" "gio launch $app_id.desktop"
}

package_test() {
    local deb=$1
    if ! [ -f "$deb" ]; then
        fail "no package $deb"
        return 0
    fi

    # Files and links, without the folders, as dpkg-deb lists them.
    dpkg-deb --contents "$deb" | sed -E 's/^([^ ]+ +){5}//' | grep -v '/$' | sort >"$work/paths"
    {
        echo "./usr/bin/kinsight -> ../lib/kinsight/kinsight"
        echo "./usr/bin/kinsight-check -> ../lib/kinsight/kinsight-check"
        echo "./usr/lib/kinsight/kinsight"
        echo "./usr/lib/kinsight/kinsight-check"
        echo "./usr/lib/kinsight/way.txt -> ../../share/kinsight/way.txt"
        echo "./usr/lib/kinsight/Pictures -> ../../share/kinsight/Pictures"
        echo "./usr/share/kinsight/way.txt"
        (cd "$source_dir/quiz" && find Pictures -type f -printf './usr/share/kinsight/%p\n')
        echo "./usr/share/applications/$app_id.desktop"
        echo "./usr/share/metainfo/$app_id.metainfo.xml"
        for size in 16 32 48 128; do
            echo "./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
        done
        echo "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
        echo "./usr/share/man/man1/kinsight.1.gz"
        echo "./usr/share/man/man1/kinsight-check.1.gz"
        echo "./usr/share/man/ru/man1/kinsight.1.gz"
        echo "./usr/share/man/ru/man1/kinsight-check.1.gz"
        echo "./usr/share/locale/ru/LC_MESSAGES/kinsight.mo"
        echo "./usr/share/doc/kinsight/copyright"
        echo "./usr/share/doc/kinsight/changelog.gz"
    } | sort >"$work/expected"
    if diff -u "$work/expected" "$work/paths" >"$work/paths.diff"; then
        ok "dpkg-deb --contents: the $(wc -l <"$work/expected") expected files and links"
    else
        fail "dpkg-deb --contents differs from the expected paths:"
        cat "$work/paths.diff"
    fi

    local field value
    for field in Package Version Architecture Maintainer Section Description Depends; do
        value=$(dpkg-deb --field "$deb" "$field")
        [ -n "$value" ] || fail "control field $field is empty"
    done
    [ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "Version is not $version"
    local depends
    depends=$(dpkg-deb --field "$deb" Depends)
    local lib
    for lib in libqt6core6 libqt6gui6 libqt6widgets6; do
        [[ "$depends" == *"$lib "* ]] || fail "Depends does not name $lib: $depends"
    done
    ok "control: Depends: $depends"

    # Every tag lintian gives is one the README lists with its reason.
    local status=0 tag
    lintian --pedantic -I --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
    [ $status -eq 0 ] || fail "lintian: status $status: $(cat "$work/lintian.log")"
    while read -r tag; do
        grep -qF "\`$tag\`" "$source_dir/README.md" ||
            fail "lintian: $tag is not listed in the README: $(grep -F "$tag" "$work/lintian.log")"
    done < <(sed -n 's/^[EWIPX]: [^ ]*: \([^ ]*\).*/\1/p' "$work/lintian.log" | sort -u)
    ok "lintian --pedantic: $(grep -c '^[EWIP]:' "$work/lintian.log" || true) tags, each listed"

    local root=$work/root
    dpkg -x "$deb" "$root"
    # As dpkg-gencontrol counts: files and links in KiB rounded up, any
    # other entry one, and two more for the folder it scans and the DEBIAN
    # folder in it, empty when debhelper counts.
    local installed declared
    installed=$(find "$root" -mindepth 1 \( -type f -o -type l \) -printf '%s\n' -o -printf '1024\n' |
        awk '{ kib += int(($1 + 1023) / 1024) } END { print kib + 2 }')
    declared=$(dpkg-deb --field "$deb" Installed-Size)
    if [ "$declared" = "$installed" ]; then
        ok "Installed-Size: $declared KiB, as installed"
    else
        fail "Installed-Size: $declared KiB declared, $installed KiB installed"
    fi
    no_run_path "readelf -d, packaged" "$root/usr/lib/kinsight/kinsight" \
        "$root/usr/lib/kinsight/kinsight-check"
    local line
    line=$("$root/usr/bin/kinsight" --version | head -n 1)
    [ "$line" = "kinsight $version" ] || fail "extracted kinsight --version: $line"
    "$root/usr/bin/kinsight-check" --quiet "$root/usr/share/kinsight/way.txt" >"$work/check.log" 2>&1 ||
        fail "extracted kinsight-check on the bundled quiz: $(cat "$work/check.log")"
    (cd "$work" && exec "$root/usr/bin/kinsight") >"$work/run.log" 2>&1 &
    expect_first_question "$root/usr/lib/kinsight/kinsight" "program extracted with dpkg -x"
}

bare_test() {
    local prefix=$work/bare-prefix launcher
    # Beside the build under test, at its depth: with the compiler cache's
    # base folder their parent, each compile is the same command as in that
    # build (scripts/test.sh builds so), and the cache answers it.
    bare=$(dirname "$build")/.$(basename "$build")-bare-$$
    local setting configure=(cmake -S "$source_dir" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON)
    for setting in CMAKE_CXX_COMPILER_LAUNCHER CMAKE_BUILD_TYPE KINSIGHT_WERROR; do
        configure+=("-D$setting=$(sed -n "s/^$setting:[A-Z]*=//p" "$build/CMakeCache.txt")")
    done
    if "${configure[@]}" -B "$work/asked" -DKINSIGHT_TESTS=ON >"$work/asked.log" 2>&1; then
        fail "KINSIGHT_TESTS=ON without GoogleTest configured"
    elif grep -q 'scripts/setup.sh --test' "$work/asked.log"; then
        ok "KINSIGHT_TESTS=ON without GoogleTest: an error naming scripts/setup.sh --test"
    else
        fail "KINSIGHT_TESTS=ON without GoogleTest: $(tail -n 5 "$work/asked.log")"
    fi

    "${configure[@]}" -B "$bare" >"$work/bare.log" 2>&1 || { cat "$work/bare.log"; exit 1; }
    if grep -q '^KINSIGHT_TESTS:STRING=AUTO$' "$bare/CMakeCache.txt" && ! [ -f "$bare/CTestTestfile.cmake" ]; then
        ok "default options without GoogleTest: configured, the tests left out"
    else
        fail "default options without GoogleTest: the tests are configured"
    fi
    # The two programs and what installing them needs, nothing else.
    CCACHE_BASEDIR=$(dirname "$build") CCACHE_NOHASHDIR=1 cmake --build "$bare" \
        --target kinsight kinsight-check packaging/all po/all >>"$work/bare.log" 2>&1 ||
        { tail -n 40 "$work/bare.log"; exit 1; }
    cmake --install "$bare" --prefix "$prefix" >>"$work/bare.log" 2>&1 ||
        { tail -n 40 "$work/bare.log"; exit 1; }
    local line
    line=$("$prefix/bin/kinsight" --version | head -n 1)
    [ "$line" = "kinsight $version" ] && ok "built and installed: $line" ||
        fail "installed kinsight --version: $line"
    no_run_path "readelf -d, built and installed without GoogleTest" "$bare/bin/kinsight" \
        "$bare/bin/kinsight-check" "$prefix/lib/kinsight/kinsight" \
        "$prefix/lib/kinsight/kinsight-check"
}

case $mode in
install) install_test ;;
package) package_test "$(realpath "$4")" ;;
bare) bare_test ;;
*)
    echo "usage: packaging_test.sh install|bare BUILD_DIR VERSION, or package BUILD_DIR VERSION DEB" >&2
    exit 2
    ;;
esac
echo "packaging: $passed passed, ${failures:-0} failed"
exit $((failures > 0))
