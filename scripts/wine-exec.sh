#!/usr/bin/env bash
# CTest's emulator: runs one Windows executable in the test session's Wine prefix and
# passes its exit code on. The session (scripts/test.sh) exports the environment.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no Wine session (run the tests through scripts/test.sh)" >&2
  exit 2
fi
exec wine "$@"
