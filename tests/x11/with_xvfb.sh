#!/usr/bin/env bash
# Runs a command with a private Xvfb as its display. Exit 77 when no X server can be started.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb.sh
source "$here/xvfb.sh"
if ! start_xvfb; then
  echo "SKIP: no X server could be started (Xvfb missing or failing)"
  exit 77
fi
"$@"
status=$?
stop_xvfb
exit $status
