#!/usr/bin/env bash
# Fuzzes with libFuzzer for the given number of seconds (default 60), half
# on the calculation run and half on quillon-cli's whole argument path.
# Builds with clang into build-fuzz/; new inputs go to scratch folders so that
# the seeds in tests/*/fuzz/corpus stay as they are.
source "$(dirname "$0")/common.sh"
seconds=${1:-60}

install_packages clang libclang-rt-14-dev cmake ninja-build libcli11-dev nlohmann-json3-dev
QUILLON_BUILD="$QUILLON_ROOT/build-fuzz"
CXX=clang++ configure_and_build -DQUILLON_BUILD_WINDOW=OFF -DQUILLON_BUILD_CLI=ON -DBUILD_TESTING=OFF -DQUILLON_FUZZ=ON \
    -DQUILLON_SANITIZE=ON -DQUILLON_WERROR=ON

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/calc" "$scratch/cli"
"$QUILLON_BUILD/tests/calc/fuzz/run_fuzzer" -max_total_time=$(((seconds + 1) / 2)) -max_len=4096 \
    -print_final_stats=1 "$scratch/calc" "$QUILLON_ROOT/tests/calc/fuzz/corpus"
# In a scratch folder of its own, whatever files it might name.
# The program's own messages are left out of the log.
(cd "$scratch" && "$QUILLON_BUILD/tests/cli/fuzz/cli_fuzzer" -max_total_time=$((seconds / 2)) -max_len=512 \
    -print_final_stats=1 "$scratch/cli" "$QUILLON_ROOT/tests/cli/fuzz/corpus" 2>&1 | grep -v '^quillon-cli: ')
