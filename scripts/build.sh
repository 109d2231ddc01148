#!/usr/bin/env bash
# Configures and builds into build/ (or $ZORBEL_BUILD_DIR): the targets named
# on the command line and what they need, or everything when none is named.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORBEL_BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${ZORBEL_BUILD_TYPE:-RelWithDebInfo} >/dev/null

# Qt's meta-object step runs only when its stamp is older than the sources it
# already knew of, so a header that arrives with a pull or a merge would not
# be read and the link would fail. When the set of headers changes, the stamps go.
headers=$(cd "$here" && find client platform controls business -name '*.h' | sort | md5sum | cut -d' ' -f1)
if [[ "$(cat "$build/.zorbel-headers" 2>/dev/null)" != "$headers" ]]; then
  find "$build" -path '*_autogen/timestamp' -delete
  echo "$headers" >"$build/.zorbel-headers"
fi
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" "${targets[@]}" -- -j"$(nproc)"
