#!/usr/bin/env bash
# Installs what is missing, builds, starts the CUPS capture queue and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -f scripts/cups-test-setup.sh ]; then
  bash scripts/cups-test-setup.sh
fi
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
