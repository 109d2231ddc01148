#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The business and
# window suites run on SQLite, and on PostgreSQL too when a private server can
# be started here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

scripts/install-deps.sh
scripts/build.sh
build=${ZORBEL_BUILD_DIR:-$here/build}

pgdir=""
cleanup() { if [[ -n "$pgdir" ]]; then "$here/scripts/pg-test-server.sh" stop "$pgdir" || true; fi; }
trap cleanup EXIT
if env_lines=$(scripts/pg-test-server.sh start 2>/dev/null); then
  eval "$env_lines"
  pgdir=$ZORBEL_TEST_PG_DIR
  echo "PostgreSQL test server on $pgdir"
else
  echo "No PostgreSQL server could be started: the PostgreSQL runs will be skipped"
fi

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
