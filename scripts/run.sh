#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/tavel ]; then
  exec build/tavel "$@"
fi
echo "Built the core library, its tests and benchmarks; the program's window is not part of this build yet."
