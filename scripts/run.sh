#!/usr/bin/env bash
# Installs, builds, creates the demo office when no database exists yet, and
# starts the desktop program. Options are passed on to varer (--database …).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if ! build/bin/varer-cli "$@" schema-version >/dev/null 2>&1; then
  echo "no database yet: creating the demo office"
  build/bin/varer-cli "$@" init --demo
fi
exec build/bin/varer "$@"
