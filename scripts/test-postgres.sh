# Sourced by test.sh: a throwaway PostgreSQL cluster for the database tests.
# The server runs as the system user postgres on a free loopback port in a
# temporary folder and is stopped and removed by kro_stop_postgres.

kro_pg_bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
kro_pg_dir=""
kro_pg_port=""

kro_free_port() {
    local port
    for port in $(seq 55432 55532); do
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            echo "$port"
            return 0
        fi
    done
    return 1
}

kro_as_postgres() {
    if [ "$(id -u)" -eq 0 ]; then su postgres -s /bin/sh -c "$1"; else sh -c "$1"; fi
}

# kro_start_postgres: sets kro_pg_port; the databases kro_main and kro_css
# exist and belong to the role KRO (the default USER of the program).
kro_start_postgres() {
    [ -x "$kro_pg_bin/initdb" ] || { echo "PostgreSQL server binaries not found" >&2; return 1; }
    kro_pg_dir="$(mktemp -d /tmp/kro-postgres.XXXXXX)"
    [ "$(id -u)" -eq 0 ] && chown postgres "$kro_pg_dir"
    kro_pg_port="$(kro_free_port)" || { echo "No free port for PostgreSQL" >&2; return 1; }
    kro_as_postgres "'$kro_pg_bin/initdb' -D '$kro_pg_dir/data' -A trust -U KRO >'$kro_pg_dir/initdb.log' 2>&1" ||
        { cat "$kro_pg_dir/initdb.log" >&2; return 1; }
    kro_as_postgres "'$kro_pg_bin/pg_ctl' -D '$kro_pg_dir/data' -w -l '$kro_pg_dir/server.log' \
        -o \"-p $kro_pg_port -k '$kro_pg_dir' -c listen_addresses=127.0.0.1 -c fsync=off\" start >/dev/null" ||
        { cat "$kro_pg_dir/server.log" >&2; return 1; }
    kro_as_postgres "'$kro_pg_bin/createdb' -h 127.0.0.1 -p $kro_pg_port -U KRO kro_main && \
        '$kro_pg_bin/createdb' -h 127.0.0.1 -p $kro_pg_port -U KRO kro_css"
}

kro_stop_postgres() {
    [ -n "$kro_pg_dir" ] || return 0
    kro_as_postgres "'$kro_pg_bin/pg_ctl' -D '$kro_pg_dir/data' -m immediate stop >/dev/null 2>&1" || true
    rm -rf "$kro_pg_dir"
    kro_pg_dir=""
}
