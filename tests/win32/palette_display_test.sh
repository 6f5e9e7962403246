#!/usr/bin/env bash
# Runs the image tests that need a display with a hardware palette on an 8-bit
# screen of their own. Argument: the folder of the programs.
set -euo pipefail
bin="$1"
here="$(cd "$(dirname "$0")" && pwd)"
exec xvfb-run -a -s "-screen 0 640x480x8" "$here/../../scripts/wine-run" "$bin/zorva_win32_tests.exe" \
  --gtest_filter='PixelImageOnPaletteDisplay.*:PixelImageDraw.*'
