#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, starts what the tests need, runs every test
# through CTest and stops what it started.
#   ./test.sh                 everything
#   ./test.sh -R Profile      only tests whose name matches (CTest options)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

./scripts/install-deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKRO_SANITIZE=ON >/dev/null
cmake --build "$build"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

rm -rf "$build/test-home"

# ---- databases: the database tests run once on SQLite files (names ending
# in .sqlite) and once on a throwaway PostgreSQL server (.postgres).
source scripts/local-odbc.sh
source scripts/test-postgres.sh
trap kro_stop_postgres EXIT
kro_start_postgres
test_odbc="$PWD/$build/test-odbc"
rm -rf "$test_odbc" && mkdir -p "$test_odbc"
{
    kro_sqlite_dsn KRO_TEST_SQLITE "$test_odbc/main.sqlite" "$PWD/$build/lib/libkro_sqlite_functions.so" OFF
    kro_sqlite_dsn KRO_TEST_SQLITE_CSS "$test_odbc/css.sqlite" "$PWD/$build/lib/libkro_sqlite_functions.so" OFF
    kro_sqlite_dsn KRO_TEST_CLI "$test_odbc/cli.sqlite" "$PWD/$build/lib/libkro_sqlite_functions.so" OFF
    kro_sqlite_dsn KRO_TEST_CLI_CSS "$test_odbc/cli_css.sqlite" "$PWD/$build/lib/libkro_sqlite_functions.so" OFF
    kro_sqlite_dsn KRO_TEST_DEMO "$test_odbc/demo.sqlite" "$PWD/$build/lib/libkro_sqlite_functions.so" OFF
    kro_postgres_dsn KRO_TEST_POSTGRES "$kro_pg_port" kro_main KRO
    kro_postgres_dsn KRO_TEST_POSTGRES_CSS "$kro_pg_port" kro_css KRO
} > "$test_odbc/odbc.ini"
kro_use_odbc_ini "$test_odbc/odbc.ini"
export KRO_TEST_ODBC=1
# ---- end of databases

ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
