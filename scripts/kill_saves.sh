#!/usr/bin/env bash
# A long series of the save-and-kill check: a child process saves every settings file in a loop
# and is killed at random moments; every file must keep its old or new bytes.
#   scripts/kill_saves.sh [kills]     (default 2000; the suite runs 40)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TARN_BUILD_DIR:-$top/build}
"$top/scripts/build.sh" native >/dev/null
TARN_KILL_ROUNDS=${1:-2000} "$BUILD/native/bin/faults_tests" \
    --gtest_filter='SaveKillTest.*' --gtest_brief=1
