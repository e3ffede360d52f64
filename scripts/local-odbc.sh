# Sourced by run.sh and test.sh: the project-local ODBC configuration.
# ODBCSYSINI points at odbc/ (the drivers), ODBCINI at a data-source file
# of our own; a user's ~/.odbc.ini is never read or written.

kro_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# kro_sqlite_dsn NAME DATABASE_FILE EXTENSION_LIBRARY [SYNC]: one SQLite
# data source. The extension gives SQLite TO_DATE. SYNC is the driver's
# SyncPragma (NORMAL unless given; the tests' throwaway files use OFF).
kro_sqlite_dsn() {
    printf '[%s]\nDriver=SQLite3\nDatabase=%s\nLoadExt=%s\nTimeout=5000\nSyncPragma=%s\n\n' \
        "$1" "$2" "$3" "${4:-NORMAL}"
}

# kro_postgres_dsn NAME PORT DATABASE USER: one PostgreSQL data source on
# the loopback interface.
kro_postgres_dsn() {
    printf '[%s]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort=%s\nDatabase=%s\nUsername=%s\n\n' \
        "$1" "$2" "$3" "$4"
}

# kro_use_odbc_ini FILE: point unixODBC at the project's drivers and FILE.
kro_use_odbc_ini() {
    export ODBCSYSINI="$kro_root/odbc"
    export ODBCINI="$1"
}

# kro_default_databases BUILD_DIR: the embedded default of the program.
# var/odbc.ini defines KRO (main) and KRO_CSS (CSS 3.0) on SQLite files in
# var/ (written when missing; edit it to use other servers); both
# databases get their tables when they have none; a program-folder KRO.INI
# naming KRO_CSS is written when no KRO.INI exists anywhere.
kro_default_databases() {
    local build var="$kro_root/var"
    build="$(cd "$1" && pwd)"
    local cli="$build/bin/kro-cli" ext="$build/lib/libkro_sqlite_functions.so"
    mkdir -p "$var"
    if [ ! -f "$var/odbc.ini" ]; then
        {
            echo "; Data sources of the workstation, written by run.sh when missing."
            kro_sqlite_dsn KRO "$var/kro.sqlite" "$ext"
            kro_sqlite_dsn KRO_CSS "$var/kro_css.sqlite" "$ext"
        } > "$var/odbc.ini"
    fi
    kro_use_odbc_ini "$var/odbc.ini"
    local ini
    ini="$("$cli" config | sed -n 's/^config_file=//p')"
    if [ ! -e "$ini" ]; then
        ini="$build/bin/KRO.INI"
        printf '[DATABASE]\r\nODBC=KRO\r\nUSER=KRO\r\nPASSWORD=ZTQ\r\nODBC_CSS=KRO_CSS\r\nUSER_CSS=KRO\r\nPASSWORD_CSS=ZTQ\r\n' > "$ini"
        echo "Wrote $ini (main database KRO, CSS 3.0 database KRO_CSS)"
    fi
    "$cli" db init main odbc=KRO user=KRO >/dev/null ||
        echo "run.sh: the tables of the data source KRO could not be created (message above)" >&2
    "$cli" db init css odbc_css=KRO_CSS user_css=KRO >/dev/null ||
        echo "run.sh: the tables of the data source KRO_CSS could not be created (message above)" >&2
}
