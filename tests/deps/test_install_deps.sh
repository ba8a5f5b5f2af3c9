#!/usr/bin/env bash
# scripts/install-deps where apt is not, as on another distribution: a PATH
# of every command here but apt-get, dpkg and dpkg-query. With everything
# the tests use installed it must pass silently, having looked for each
# package of each purpose; with a command taken away it must name its
# package and fail. Usage: test_install_deps.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
farm=$(mktemp -d /tmp/ocean-no-apt.XXXXXX)
trap 'rm -rf "$farm"' EXIT

# without NAME...: a PATH folder of every command here but apt's and NAME's.
without() {
    local dir
    dir=$farm/without$(printf -- '-%s' "$@")
    mkdir -p "$dir"
    # The first folder of the PATH that has a name wins, as on the PATH.
    for folder in /usr/local/bin /usr/bin /bin /usr/sbin /sbin; do
        ln -s "$folder"/* "$dir"/ 2> /dev/null || true
    done
    for name in apt-get dpkg dpkg-query "$@"; do rm -f "$dir/$name"; done
    echo "$dir"
}

# Every purpose at once: each package of each list looked for.
purposes=(package test figures)
# The benchmarks' library is the one not every test machine has.
[ -e /usr/include/benchmark/benchmark.h ] && purposes+=(bench)
out=$(PATH=$(without) "$source_dir/scripts/install-deps" "${purposes[@]}" 2>&1) ||
    { echo "$out"; echo "FAIL: install-deps ${purposes[*]} off apt with everything here" >&2; exit 1; }
[ -z "$out" ] || { echo "$out"; echo "FAIL: install-deps ${purposes[*]} said something" >&2; exit 1; }

# Building needs none of the headless run's tools.
out=$(PATH=$(without xdotool Xvfb convert import identify) "$source_dir/scripts/install-deps" build 2>&1) ||
    { echo "$out"; echo "FAIL: install-deps build wants the headless run's tools" >&2; exit 1; }

# A missing command is named by its package, and nothing is installed.
if out=$(PATH=$(without xdotool) "$source_dir/scripts/install-deps" run 2>&1); then
    echo "FAIL: install-deps passed without xdotool" >&2
    exit 1
fi
echo "$out"
grep -q '^  xdotool: command xdotool$' <<< "$out" || { echo "FAIL: xdotool not named" >&2; exit 1; }
[ "$(grep -c '^  ' <<< "$out")" = 1 ] || { echo "FAIL: more than xdotool named" >&2; exit 1; }

# The browser's driver, not yet in a clone's build/node, is named with the
# command that installs it there.
mkdir -p "$farm/clone/scripts"
cp "$source_dir/scripts/install-deps" "$farm/clone/scripts/"
if out=$(PATH=$(without) "$farm/clone/scripts/install-deps" test 2>&1); then
    echo "FAIL: install-deps test passed without the Node modules" >&2
    exit 1
fi
grep -q "^  puppeteer-core@[0-9.]*: npm install --prefix $farm/clone/build/node " <<< "$out" ||
    { echo "$out"; echo "FAIL: puppeteer-core not named" >&2; exit 1; }
[ "$(grep -c '^  ' <<< "$out")" = 1 ] || { echo "$out"; echo "FAIL: more than the module named" >&2; exit 1; }
echo "install-deps off apt: every purpose found here, a missing command and Node module named"
