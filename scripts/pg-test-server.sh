#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests, on a private socket directory.
#   pg-test-server.sh start   -> prints the export lines for the tests
#   pg-test-server.sh stop DIR
# The server refuses to run as root, so as root it runs as the postgres user.
set -euo pipefail
port=${ZORBEL_TEST_PG_PORT:-54329}

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
[[ -x "$pgbin/initdb" ]] || { echo "no PostgreSQL server binaries" >&2; exit 1; }

as_owner() {
  if [[ $(id -u) -eq 0 ]]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "${1:-}" in
  start)
    dir=$(mktemp -d /tmp/zorbel-pg.XXXXXX)
    chmod 755 "$dir"
    [[ $(id -u) -eq 0 ]] && chown postgres "$dir"
    as_owner "$pgbin/initdb" -D "$dir/data" -A trust -U postgres >"$dir/initdb.log" 2>&1
    as_owner "$pgbin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
      -o "-k $dir -p $port -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
      start >/dev/null
    # The test database sorts texts by a language's rules, as an office server
    # may, so the runs show that lists come out in one order on both engines
    # whatever the server's default; servers without ICU use their own default.
    as_owner "$pgbin/createdb" -h "$dir" -p "$port" -U postgres -T template0 \
        --locale-provider=icu --icu-locale=en-US zorbel_test 2>/dev/null \
      || as_owner "$pgbin/createdb" -h "$dir" -p "$port" -U postgres zorbel_test
    echo "export ZORBEL_TEST_PG_HOST=$dir ZORBEL_TEST_PG_PORT=$port ZORBEL_TEST_PG_DIR=$dir"
    ;;
  stop)
    dir=${2:?directory}
    as_owner "$pgbin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start | stop DIR" >&2; exit 2 ;;
esac
