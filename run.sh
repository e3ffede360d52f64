#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

./scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"

# ---- databases: the project-local ODBC configuration and the default
# SQLite databases in var/ (created when missing).
source scripts/local-odbc.sh
kro_default_databases "$build"
# ./run.sh kro-cli ARGS... runs the headless tool in this environment.
if [ "${1:-}" = kro-cli ]; then
    shift
    exec "$build/bin/kro-cli" "$@"
fi
# ---- end of databases

# ---- demo: the demo network and event, installed once into the configured
# databases (var/data unless KRO.INI names a data folder).
"$build/bin/kro-cli" demo install --tables demo/tables --data-default var/data ||
    echo "run.sh: the demo was not installed (message above)" >&2
# ---- end of demo

if [ -x "$build/bin/kro" ]; then
    exec "$build/bin/kro" "$@"
fi
# Until the workstation window exists, the headless tool introduces itself.
"$build/bin/kro-cli" --help
echo
"$build/bin/kro-cli" time "$(date +%s)"
echo
"$build/bin/kro-cli" db info
