#!/usr/bin/env bash
# The scripts' clean-ups, with stand-ins for the programs they start:
#  1. .ci/run, whose Linux tests fail while the Debian 13 root is being prepared beside them:
#     the preparation and what it started end with it, and its exit code is the failure's.
#  2. the display sessions' clean-up (openbox.sh): a window manager that ends with a signal's
#     exit code and a first step that fails still leave no server running and no work folder.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'kill $(cat "$scratch"/*.pid "$scratch"/*/*.pid 2>/dev/null) 2>/dev/null; rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Whether the process whose id the file holds still runs 2 s on (an ended one may wait a moment
# to be reaped).
running() {
    for _ in $(seq 40); do
        kill -0 "$(cat "$1")" 2>/dev/null || return 1
        sleep 0.05
    done
}
wait_for() { for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.05; done; return 1; }

# --- 1. .ci/run --------------------------------------------------------------------------------

ci=$scratch/ci
mkdir -p "$ci/.ci" "$ci/scripts"
cp "$here/../.ci/run" "$ci/.ci/run"
printf '#!/usr/bin/env bash\nexit 0\n' > "$ci/scripts/deps.sh"
# The root's preparation: a long step in a child of its own, as debootstrap or apt is.
cat > "$ci/scripts/debian13.sh" <<SCRIPT
#!/usr/bin/env bash
echo \$\$ > "$scratch/prepare.pid"
sleep 300 &
echo \$! > "$scratch/prepare-child.pid"
wait
SCRIPT
cat > "$ci/scripts/test.sh" <<SCRIPT
#!/usr/bin/env bash
# The Linux tests fail once the preparation has started.
for _ in \$(seq 100); do [ -s "$scratch/prepare-child.pid" ] && break; sleep 0.05; done
exit 3
SCRIPT
status=0
timeout 60 bash "$ci/.ci/run" > "$scratch/ci.log" 2>&1 || status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
    fail ".ci/run ended with exit code $status when the Linux tests failed"; cat "$scratch/ci.log"
fi
wait_for "$scratch/prepare-child.pid" || fail "the stand-in preparation never started"
running "$scratch/prepare.pid" && fail ".ci/run left scripts/debian13.sh --prepare running"
running "$scratch/prepare-child.pid" && fail ".ci/run left the preparation's own child running"

# --- 2. The display sessions' clean-up -----------------------------------------------------------

session=$scratch/session
mkdir -p "$session"
status=0
timeout 60 bash -c '
    set -euo pipefail
    source "$1/openbox.sh"
    session_start
    echo "$session_work" > "$2/work"
    session_stop_first false
    # The server: ends at once on the signal; the window manager: ends with exit code 143.
    session_background sleep 300
    echo "$session_pid" > "$2/server.pid"
    # Ready once its trap is set, as start_openbox waits for Openbox to manage the screen.
    session_background bash -c "sleep 300 & trap \"kill \$!; exit 143\" TERM; touch \"\$0\"; wait" "$2/wm.ready"
    echo "$session_pid" > "$2/wm.pid"
    for _ in $(seq 100); do [ -e "$2/wm.ready" ] && break; sleep 0.05; done
    exit 5
' _ "$here" "$session" > "$scratch/session.log" 2>&1 || status=$?
[ "$status" -eq 5 ] || { fail "the session's script ended with $status, not its own exit code 5"; cat "$scratch/session.log"; }
running "$session/wm.pid" && fail "the clean-up left the window manager running"
running "$session/server.pid" && fail "the clean-up left the X server running after the window manager's exit code 143"
[ -s "$session/work" ] && [ -e "$(cat "$session/work")" ] && fail "the clean-up left its work folder"

[ "$failures" -eq 0 ] || exit 1
echo "Every clean-up ran all its steps"
