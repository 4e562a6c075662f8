#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build's
# tests, then the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer together with each fuzz target for a fixed
# number of inputs from a fixed seed (TAVEL_FUZZ_SEED, 1 by default;
# TAVEL_FUZZ_SCALE multiplies the number of inputs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
(cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
jobs=$(nproc)

scripts/build.sh
(cd build && ctest --output-on-failure -j"$jobs")

CC=clang-14 CXX=clang++-14 TAVEL_BUILD_DIR=build-check scripts/build.sh \
  -DTAVEL_SANITIZE=ON -DTAVEL_FUZZ=ON -DTAVEL_GUI=OFF -DTAVEL_BENCH=OFF \
  -DTAVEL_FUZZ_SEED="${TAVEL_FUZZ_SEED:-1}" -DTAVEL_FUZZ_SCALE="${TAVEL_FUZZ_SCALE:-1}"
(cd build-check && ctest --output-on-failure -j"$jobs")
