#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build
ctest --output-on-failure --parallel "$(nproc)"
