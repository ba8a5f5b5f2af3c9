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

# named LINE COMMAND...: the command, install-deps off apt, fails and names
# one missing package, on the line LINE (a pattern): nothing else is missing.
named() {
    local line=$1 out
    shift
    if out=$("$@" 2>&1); then
        echo "FAIL: passed: $*" >&2
        exit 1
    fi
    echo "$out"
    grep -q "^  $line\$" <<< "$out" && [ "$(grep -c '^  ' <<< "$out")" = 1 ] ||
        { echo "FAIL: not '$line' alone named" >&2; exit 1; }
}

# Every purpose at once, from a clone whose build/node lacks the browser's
# driver: each package of each list is found, and the driver is named with
# the command that puts it there.
purposes=(package test figures)
# The benchmarks' library is the one not every test machine has.
[ -e /usr/include/benchmark/benchmark.h ] && purposes+=(bench)
mkdir -p "$farm/clone/scripts"
cp "$source_dir/scripts/install-deps" "$farm/clone/scripts/"
module="puppeteer-core@[0-9.]*"
named "$module: npm install --prefix $farm/clone/build/node --no-audit --no-fund $module" \
    env PATH="$(without)" "$farm/clone/scripts/install-deps" "${purposes[@]}"

# Building needs none of the headless run's tools: with all else here it
# passes silently.
out=$(PATH=$(without xdotool Xvfb convert import identify) "$source_dir/scripts/install-deps" build 2>&1) ||
    { echo "$out"; echo "FAIL: install-deps build wants the headless run's tools" >&2; exit 1; }
[ -z "$out" ] || { echo "$out"; echo "FAIL: install-deps build said something" >&2; exit 1; }

# A missing command is named by its package, and nothing is installed.
named "xdotool: command xdotool" env PATH="$(without xdotool)" "$source_dir/scripts/install-deps" run
echo "install-deps off apt: every purpose found here, a missing command and Node module named"
