#!/usr/bin/env bash
# Starts the Wine server that the Windows tests share (in the caller's WINEPREFIX) and Wine's
# own services with it. The server is kept while no program runs, so each test starts in
# milliseconds; the services, started by a test instead, would hold that test's output open
# and CTest would wait for them. A server left by test discovery, which would end on its own
# seconds after its last program, is replaced.
set -euo pipefail
# Whatever else this process inherited, such as another test's output that CTest opened at the
# same moment, the server and the services would keep open for as long as they run.
for fd in /proc/$$/fd/*; do
  fd=${fd##*/}
  if [[ $fd -gt 2 ]]; then eval "exec $fd>&-"; fi
done
wineserver --kill 2>/dev/null || true
wineserver --wait
wineserver --persistent >/dev/null 2>&1
exec wine wineboot >/dev/null 2>&1 </dev/null
