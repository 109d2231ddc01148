#!/usr/bin/env bash
# Installs what is missing, builds, prepares the database on first run (an
# embedded SQLite file behind the ODBC data source "Zorbel5") and starts Zorbel.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

scripts/install-deps.sh
# The program and the set-up only: the tests and benchmarks are test.sh's.
scripts/build.sh zorbelzude zorbel-setup
build=${ZORBEL_BUILD_DIR:-$here/build}

"$build/bin/zorbel-setup"
exec "$build/bin/zorbelzude" "$@"
