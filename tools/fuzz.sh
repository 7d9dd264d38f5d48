#!/usr/bin/env bash
# Fuzzes the calculation run with libFuzzer for the given number of seconds
# (default 60). Builds with clang into build-fuzz/; new inputs go to a scratch
# folder so that the seeds in tests/calc/fuzz/corpus stay as they are.
source "$(dirname "$0")/common.sh"
seconds=${1:-60}

install_packages clang libclang-rt-14-dev cmake ninja-build
QUILLON_BUILD="$QUILLON_ROOT/build-fuzz"
CXX=clang++ configure_and_build -DQUILLON_BUILD_WINDOW=OFF -DQUILLON_BUILD_CLI=OFF -DBUILD_TESTING=OFF -DQUILLON_FUZZ=ON \
    -DQUILLON_SANITIZE=ON -DQUILLON_WERROR=ON

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$QUILLON_BUILD/tests/calc/fuzz/run_fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "$scratch" "$QUILLON_ROOT/tests/calc/fuzz/corpus"
