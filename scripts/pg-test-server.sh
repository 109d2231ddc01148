#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests, on a private socket directory.
#   pg-test-server.sh start         -> prints the export lines for the tests
#   pg-test-server.sh stop DIR      -> stops the server and removes it
#   pg-test-server.sh halt DIR      -> stops the server, keeping it (fault tests)
#   pg-test-server.sh resume DIR    -> starts a halted server again
# The server refuses to run as root, so as root it runs as the postgres user.
set -euo pipefail
port=${ZORBEL_TEST_PG_PORT:-54329}
# A role that logs in with a password of its own (every other role comes in on
# trust), for the tests of a data source's Password.
password_user=zorbel_password
password=Zorbel-Test-Role-Secret

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
    # The settings live in the cluster's own files (written in place, so they
    # keep their owner), so that a halted server resumes as it was.
    cat >>"$dir/data/postgresql.conf" <<CONF
unix_socket_directories = '$dir'
port = $port
listen_addresses = ''
fsync = off
synchronous_commit = off
full_page_writes = off
CONF
    { echo "local all $password_user scram-sha-256"; cat "$dir/data/pg_hba.conf"; } >"$dir/pg_hba.new"
    cat "$dir/pg_hba.new" >"$dir/data/pg_hba.conf"
    rm -f "$dir/pg_hba.new"
    as_owner "$pgbin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w start >/dev/null
    as_owner "$pgbin/psql" -h "$dir" -p "$port" -U postgres -d postgres -q \
      -c "CREATE ROLE $password_user LOGIN PASSWORD '$password'" >/dev/null
    # The test database sorts texts by a language's rules, as an office server
    # may, so the runs show that lists come out in one order on both engines
    # whatever the server's default; servers without ICU use their own default.
    as_owner "$pgbin/createdb" -h "$dir" -p "$port" -U postgres -T template0 \
        --locale-provider=icu --icu-locale=en-US zorbel_test 2>/dev/null \
      || as_owner "$pgbin/createdb" -h "$dir" -p "$port" -U postgres zorbel_test
    echo "export ZORBEL_TEST_PG_HOST=$dir ZORBEL_TEST_PG_PORT=$port ZORBEL_TEST_PG_DIR=$dir" \
         "ZORBEL_TEST_PG_PASSWORD_USER=$password_user ZORBEL_TEST_PG_PASSWORD=$password"
    ;;
  stop)
    dir=${2:?directory}
    as_owner "$pgbin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
  halt)
    dir=${2:?directory}
    as_owner "$pgbin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    ;;
  resume)
    dir=${2:?directory}
    as_owner "$pgbin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w start >/dev/null
    ;;
  *)
    echo "usage: $0 start | stop DIR | halt DIR | resume DIR" >&2; exit 2 ;;
esac
