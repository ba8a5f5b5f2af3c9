#!/usr/bin/env bash
# Runs the command given on an X server of its own, as the end-to-end tests
# do (session.sh): a private Xvfb that reports its display number itself, so that several
# can start side by side without racing for a free number (as xvfb-run -a
# may). Usage: with_display.sh COMMAND [ARGUMENT...]
OCEAN_BUILD=${OCEAN_BUILD:-$PWD}
source "$(dirname "$0")/session.sh"
start_display
"$@"
