#!/usr/bin/env bash
# The same two monitors on a server without RandR, which tells of them
# through Xinerama's heads alone.
HEADS_ONLY=1
source "$(dirname "$0")/test_small_screen.sh"
