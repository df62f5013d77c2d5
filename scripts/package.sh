#!/usr/bin/env bash
# Builds the Debian package of HV Admin (CPack, dependencies from dpkg-shlibdeps) into
# <build>/packages/, unpacks it into a temporary root to run the unpacked hvadmin-cli, and
# checks it with lintian (packaging/check-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build="${HV_BUILD_DIR:-build}"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
packaging/check-package.sh "$build" . "$version" "$build/packages"
