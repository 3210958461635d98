#!/usr/bin/env bash
# Installs, builds and runs every test through CTest. A Firebird server is
# installed and started on loopback for the test that needs one.
set -euo pipefail
cd "$(dirname "$0")/.."
VARER_WITH_SERVER=1 scripts/setup.sh
source scripts/firebird-server.sh
start_firebird_server
cd build
ctest --output-on-failure -j2 "$@"
