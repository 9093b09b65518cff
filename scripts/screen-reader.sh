#!/bin/bash
# screen-reader.sh PROGRAM [options for atspi_dump.py ...] [-- PROGRAM ARGS...]
#
# Starts, each privately and each tracked by PID:
#   Xvfb (free display via -displayfd), a session dbus-daemon, at-spi-bus-launcher
#   (which starts the accessibility dbus-daemon) and at-spi2-registryd,
# then PROGRAM with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb,
# waits for its X window and runs atspi_dump.py against it.
#
# Options are passed through to atspi_dump.py, e.g.
#   --focus                 print the focused object after the tree
#   --no-tree               skip the tree
#   --keys "Tab Tab Down"   send these keys with xdotool while listening for events
#   --listen 4              seconds to keep listening (default 4 when --keys is given)
#   --max-children 5        children shown for list-like nodes
#   --setup "click:X,Y ..." xdotool actions before the dump (click:X,Y screen coords,
#                           wclick:X,Y window coords, type:TEXT, or a key name)
#   --extents               print each node's screen extents (for click:X,Y)
# Environment: DUMP_TIMEOUT (seconds for atspi_dump.py, default 60), WINDOW_TIMEOUT (default 15),
#   XVFB_SCREEN (default 1280x1024x24), SHOW_APP_LOG=1 (print program output), DEBUG_CLEANUP=1.
# shellcheck disable=SC2317,SC2086  # trap-invoked functions; PID lists are split on purpose
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
PY=/usr/bin/python3          # Debian's python (pyatspi lives in /usr/lib/python3/dist-packages)

[ $# -ge 1 ] || { echo "usage: $0 PROGRAM [dump options] [-- program args]" >&2; exit 2; }
PROGRAM="$1"; shift
DUMP_ARGS=(); PROG_ARGS=()
while [ $# -gt 0 ]; do
    if [ "$1" = "--" ]; then shift; PROG_ARGS=("$@"); break; fi
    DUMP_ARGS+=("$1"); shift
done
[ -x "$PROGRAM" ] || { echo "not executable: $PROGRAM" >&2; exit 2; }

TMP="$(mktemp -d /tmp/a11y-run.XXXXXX)"
XVFB_PID=; DBUS_PID=; LAUNCHER_PID=; APP_PID=; DUMP_PID=; REGD_PID=

alive() {       # running and not a zombie
    local st
    st="$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" || return 1
    [ -n "$st" ] && [ "$st" != Z ] && [ "$st" != X ]
}

kill_wait() {   # kill_wait PID... : TERM, wait up to 3 s, then KILL
    local p
    [ -n "${DEBUG_CLEANUP:-}" ] && echo "# $(date +%T.%N | cut -c1-12) stopping: $*" >&2
    for p in "$@"; do [ -n "$p" ] && kill -TERM "$p" 2>/dev/null && kill -CONT "$p" 2>/dev/null; done
    for _ in $(seq 60); do
        local alive=0
        for p in "$@"; do [ -n "$p" ] && alive "$p" && alive=1; done
        [ $alive = 0 ] && return
        sleep 0.05
    done
    [ -n "${DEBUG_CLEANUP:-}" ] && echo "# still alive after 3 s, SIGKILL: $*" >&2
    for p in "$@"; do [ -n "$p" ] && kill -KILL "$p" 2>/dev/null; done
}

a11y_pid_of() {   # a11y_pid_of BUSNAME : pid of that name's owner on the a11y bus
    [ -s "$TMP/a11y_addr" ] || return
    timeout 2 dbus-send --bus="$(cat "$TMP/a11y_addr")" --print-reply=literal \
        --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:"$1" 2>/dev/null | awk '{print $NF}'
}

cleanup() {
    trap - EXIT INT TERM
    [ -n "$DUMP_PID" ] && kill_wait "$DUMP_PID"
    # in case the a11y bus activated another registryd (re-parented to init): find it by bus name
    local regd=; regd="$(a11y_pid_of org.a11y.atspi.Registry)"
    # the a11y dbus-daemon is a child of the launcher
    local a11ybus=; [ -n "$LAUNCHER_PID" ] && a11ybus="$(pgrep -P "$LAUNCHER_PID" 2>/dev/null | tr '\n' ' ')"
    # anything our private session bus activated
    local act=; [ -n "$DBUS_PID" ] && act="$(pgrep -P "$DBUS_PID" 2>/dev/null | tr '\n' ' ')"
    kill_wait $APP_PID
    [ "$regd" = "$REGD_PID" ] && regd=
    kill_wait $REGD_PID $regd $act
    kill_wait $a11ybus         # first, so the launcher (its parent) reaps it
    kill_wait $LAUNCHER_PID
    kill_wait $DBUS_PID
    kill_wait $XVFB_PID
    rm -rf "$TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- Xvfb on a free display -------------------------------------------------------
Xvfb -displayfd 3 -nolisten tcp -screen 0 "${XVFB_SCREEN:-1280x1024x24}" \
     3>"$TMP/displayfd" >"$TMP/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do
    [ -s "$TMP/displayfd" ] && break
    alive $XVFB_PID || break
    sleep 0.1
done
DNUM="$(head -n1 "$TMP/displayfd" 2>/dev/null | tr -dc 0-9)"
[ -n "$DNUM" ] || { echo "Xvfb did not start" >&2; cat "$TMP/xvfb.log" >&2; exit 1; }
export DISPLAY=":$DNUM"
unset WAYLAND_DISPLAY

# --- private session bus ----------------------------------------------------------
dbus-daemon --config-file=/usr/share/dbus-1/session.conf --nofork --nopidfile \
    --address="unix:path=$TMP/session_bus" --print-address=3 3>"$TMP/dbus_addr" \
    >"$TMP/dbus.log" 2>&1 &     # --nofork: stays our child, so we reap it
DBUS_PID=$!
for _ in $(seq 50); do [ -s "$TMP/dbus_addr" ] && break; alive $DBUS_PID || break; sleep 0.1; done
[ -s "$TMP/dbus_addr" ] || { echo "dbus-daemon failed" >&2; cat "$TMP/dbus.log" >&2; exit 1; }
DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$TMP/dbus_addr")"; export DBUS_SESSION_BUS_ADDRESS
# isolate from any a11y bus of the caller
unset AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR="$TMP/runtime"; mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
export NO_AT_BRIDGE=1   # keep GTK helpers (if any) off the bus; Qt ignores this

# --- AT-SPI bus launcher (starts the a11y dbus-daemon) -------------------------------
/usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >"$TMP/launcher.log" 2>&1 &
LAUNCHER_PID=$!
ok=0
for _ in $(seq 100); do
    if A="$(timeout 2 dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
              /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null)" && [ -n "$A" ]; then
        echo "$A" | tr -d ' ' >"$TMP/a11y_addr"; ok=1; break
    fi
    sleep 0.1
done
[ $ok = 1 ] || { echo "at-spi-bus-launcher did not come up" >&2; cat "$TMP/launcher.log" >&2; exit 1; }
# make sure IsEnabled is true, so toolkits turn their bridge on
timeout 2 dbus-send --session --type=method_call --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1 || true

# start the registry ourselves (otherwise the a11y bus activates it, detached from us)
/usr/libexec/at-spi2-registryd >"$TMP/registryd.log" 2>&1 &
REGD_PID=$!
for _ in $(seq 50); do
    [ -n "$(a11y_pid_of org.a11y.atspi.Registry)" ] && break
    sleep 0.1
done

# --- the program --------------------------------------------------------------------
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 \
    "$PROGRAM" "${PROG_ARGS[@]}" >"$TMP/app.log" 2>&1 &
APP_PID=$!

# wait for a mapped window of that pid
WIN=
DEADLINE=$((SECONDS + ${WINDOW_TIMEOUT:-15}))
while [ $SECONDS -lt $DEADLINE ]; do
    alive $APP_PID || { echo "program exited early" >&2; cat "$TMP/app.log" >&2; exit 1; }
    WIN="$(timeout 5 xdotool search --onlyvisible --pid $APP_PID 2>/dev/null | tail -n1)"
    [ -n "$WIN" ] && break
    sleep 0.1
done
[ -n "$WIN" ] || { echo "no window from program after ${WINDOW_TIMEOUT:-15} s" >&2; cat "$TMP/app.log" >&2; exit 1; }
# give keyboard focus to the window (no window manager runs)
timeout 5 xdotool windowfocus --sync "$WIN" >/dev/null 2>&1 || timeout 5 xdotool windowfocus "$WIN" >/dev/null 2>&1 || true
sleep 0.5

echo "# DISPLAY=$DISPLAY window=$WIN pid=$APP_PID a11y-bus=$(cat "$TMP/a11y_addr")"
# in the background + wait, so INT/TERM reach our trap at once
timeout -k 5 "${DUMP_TIMEOUT:-60}" "$PY" "$HERE/atspi_dump.py" --pid "$APP_PID" --window "$WIN" "${DUMP_ARGS[@]}" &
DUMP_PID=$!
wait $DUMP_PID; RC=$?
DUMP_PID=
[ $RC = 124 ] && echo "atspi_dump.py timed out after ${DUMP_TIMEOUT:-60}s" >&2
if [ -s "$TMP/app.log" ] && [ -n "${SHOW_APP_LOG:-}" ]; then
    echo "# --- program stderr/stdout ---"; cat "$TMP/app.log"
fi
exit $RC
