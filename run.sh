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

# ---- start kro: the workstation, opened on the demo event's channels unless
# arguments are given; without a display it runs under Xvfb.
if [ $# -eq 0 ]; then
    set -- --channel-list "Demo event"
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no DISPLAY is set; starting kro on a virtual X server (xvfb-run, 1600x1000)." >&2
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/kro" "$@"
fi
exec "$build/bin/kro" "$@"
# ---- end of start kro
