#!/usr/bin/env bash
# Installs what is missing, builds the console and the stand-in suite programs incrementally
# and starts the console on the demo project, with a suite configuration of its own under the
# build folder (see scripts/demo-env.sh). Arguments go to the console (HVAdmin [FOLDER]).
set -euo pipefail
cd "$(dirname "$0")/.."
# Without a display there is nothing to build for: say so first.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "Run the console under a virtual X server instead:" >&2
  echo "  xvfb-run -a -s '-screen 0 1280x800x24' scripts/run.sh" >&2
  exit 1
fi
scripts/build.sh --target HVAdmin hv-standin
build="${HV_BUILD_DIR:-build}"
source scripts/demo-env.sh
hv_prepare_demo "$build/demo-config" "$build/demo" "$build/demo-suite"
exec "$build/ui/HVAdmin" "$@"
