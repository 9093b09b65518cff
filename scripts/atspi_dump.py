#!/usr/bin/python3
"""Dump the AT-SPI tree of one application, print the focused object, and
optionally listen for focus / state / description events while xdotool sends keys.

Run it with Debian's /usr/bin/python3 (python3-pyatspi). Normally started by
screen-reader.sh, which provides DISPLAY, DBUS_SESSION_BUS_ADDRESS and the program.

  atspi_dump.py (--pid PID | --app NAME) [--window XID] [--no-tree] [--focus]
                [--setup "click:X,Y ..."] [--extents] [--keys "Tab Down ..."] [--listen SECONDS] [--key-delay S]
                [--max-children N] [--max-depth N] [--wait S]
"""
import argparse
import shlex
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

LIST_LIKE = {
    pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TABLE_ROW,
    pyatspi.ROLE_COLUMN_HEADER if hasattr(pyatspi, "ROLE_COLUMN_HEADER") else -1,
}
SHOW_STATES = (  # printed when present; everything else is summarised by 'showing' etc.
    "focused", "focusable", "selected", "selectable", "active", "enabled",
    "sensitive", "showing", "visible", "editable", "multi_line", "single_line",
    "read_only", "checked", "pressed", "expanded", "multiselectable",
    "manages_descendants", "modal", "default", "invalid_entry", "required",
)


ARGS = None
CHILDREN = []   # xdotool processes started asynchronously; reaped before exit


def run_action(act, window, wait):
    """One xdotool action: a key name, "type:TEXT", "click:X,Y" (screen) or "wclick:X,Y" (window)."""
    cmd = ["xdotool"]
    if act.startswith("type:"):
        cmd += ["type", "--delay", "30", act[5:]]
    elif act.startswith("click:"):          # screen coordinates (as printed by --extents)
        x, y = act[6:].split(",")
        cmd += ["mousemove", "--sync", x, y, "click", "1"]
    elif act.startswith("wclick:") and window:  # coordinates relative to the window
        x, y = act[7:].split(",")
        cmd += ["mousemove", "--sync", "--window", window, x, y, "click", "1"]
    else:
        cmd += ["key", act]
    try:
        if wait:
            subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
        else:
            # asynchronous so the main loop keeps dispatching events
            CHILDREN.append(subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    except (OSError, subprocess.TimeoutExpired) as e:
        out("  xdotool failed: %s" % e)


def out(*a):
    print(*a, flush=True)


def safe(fn, default=None):
    try:
        return fn()
    except Exception:  # dead object, D-Bus timeout, missing interface ...
        return default


def state_names(acc):
    ss = safe(acc.getState)
    if ss is None:
        return ["<no state>"]
    names = []
    for st in ss.getStates():
        n = pyatspi.stateToString(st) or str(st)
        n = n.lower().replace("state_", "").replace(" ", "_")
        names.append(n)
    keep = [n for n in SHOW_STATES if n in names]
    other = sorted(set(names) - set(SHOW_STATES))
    return keep + other


def describe(acc, with_extra=True):
    role = safe(acc.getRoleName, "?")
    name = safe(lambda: acc.name, "")
    desc = safe(lambda: acc.description, "")
    n = safe(lambda: acc.childCount, -1)
    s = "[%s] name=%r" % (role, name)
    if desc:
        s += " desc=%r" % desc
    s += " states={%s} children=%d" % (",".join(state_names(acc)), n)
    if with_extra:
        s += extra_info(acc)
        if ARGS is not None and ARGS.extents:
            comp = safe(acc.queryComponent)
            ext = safe(lambda: comp.getExtents(pyatspi.DESKTOP_COORDS)) if comp else None
            if ext is not None:
                s += "  @(%d,%d %dx%d)" % (ext.x, ext.y, ext.width, ext.height)
    return s


def extra_info(acc):
    """Short extra facts from Table / Text / Value interfaces."""
    parts = []
    tab = safe(acc.queryTable)
    if tab is not None:
        rows = safe(lambda: tab.nRows, "?")
        cols = safe(lambda: tab.nColumns, "?")
        hdrs = []
        if isinstance(cols, int):
            for c in range(min(cols, 8)):
                h = safe(lambda: tab.getColumnHeader(c))
                hdrs.append(safe(lambda: h.name, None) if h is not None else None)
        parts.append("table=%sx%s colheaders=%r" % (rows, cols, hdrs))
    txt = safe(acc.queryText)
    if txt is not None:
        cnt = safe(lambda: txt.characterCount, 0) or 0
        t = safe(lambda: txt.getText(0, min(cnt, 80)), "")
        parts.append("text(%d)=%r%s" % (cnt, t, "..." if cnt > 80 else ""))
    val = safe(acc.queryValue)
    if val is not None:
        parts.append("value=%s" % safe(lambda: val.currentValue, "?"))
    return ("  " + " ".join(parts)) if parts else ""


def dump(acc, depth, args, seen):
    if acc is None:
        return
    key = safe(lambda: (acc.app.bus_name if acc.app else None, acc.path), id(acc))
    if key in seen:
        out("  " * depth + "<cycle>")
        return
    seen.add(key)
    out("  " * depth + describe(acc))
    if depth >= args.max_depth:
        return
    n = safe(lambda: acc.childCount, 0) or 0
    role = safe(acc.getRole, None)
    limit = n
    if role in LIST_LIKE or n > args.big:
        limit = min(n, args.max_children)
    for i in range(limit):
        dump(safe(lambda: acc.getChildAtIndex(i)), depth + 1, args, seen)
    if limit < n:
        out("  " * (depth + 1) + "... (%d more children not shown)" % (n - limit))


def find_app(args):
    deadline = time.time() + args.wait
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(safe(lambda: desktop.childCount, 0) or 0):
            app = safe(lambda: desktop.getChildAtIndex(i))
            if app is None:
                continue
            if args.pid and safe(app.get_process_id) == args.pid:
                return app
            if args.app and safe(lambda: app.name) == args.app:
                return app
        if time.time() > deadline:
            return None
        time.sleep(0.25)


def find_focused(acc, budget):
    """Depth-first search for STATE_FOCUSED (full, not truncated; capped by budget)."""
    stack = [acc]
    while stack and budget[0] > 0:
        a = stack.pop()
        budget[0] -= 1
        ss = safe(a.getState)
        if ss is not None and ss.contains(pyatspi.STATE_FOCUSED):
            return a
        n = safe(lambda: a.childCount, 0) or 0
        for i in reversed(range(min(n, 2000))):
            c = safe(lambda: a.getChildAtIndex(i))
            if c is not None:
                stack.append(c)
    return None


def path_of(acc):
    parts = []
    a = acc
    for _ in range(30):
        if a is None:
            break
        r = safe(a.getRoleName, "?")
        if r == "application":
            break
        idx = safe(a.getIndexInParent, "?")
        parts.append("%s#%s" % (r, idx))
        a = safe(lambda: a.parent)
    return "/".join(reversed(parts))


def print_focus(app, label):
    f = find_focused(app, [20000])
    if f is None:
        out("%s: <none>" % label)
    else:
        out("%s: %s\n   path: %s" % (label, describe(f), path_of(f)))


def listen(app, args):
    keys = shlex.split(args.keys or "")
    duration = args.listen if args.listen is not None else (4.0 if keys else 0.0)
    if duration <= 0 and not keys:
        return
    types = [
        "focus:",
        "object:state-changed:focused",
        "object:state-changed:selected",
        "object:state-changed:active",
        "object:property-change:accessible-description",
        "object:property-change:accessible-name",
        "object:active-descendant-changed",
        "object:selection-changed",
    ]
    app_pid = safe(app.get_process_id)
    t0 = time.time()

    def on_event(ev):
        try:
            src = ev.source
            if app_pid and safe(lambda: src.get_process_id()) not in (app_pid, None):
                return
            role = safe(src.getRoleName, "?")
            name = safe(lambda: src.name, "")
            desc = safe(lambda: src.description, "")
            anyd = ev.any_data
            if isinstance(anyd, Atspi.Accessible):
                anyd = "<%s %r>" % (safe(anyd.getRoleName, "?"), safe(lambda: anyd.name, ""))
            out("  %6.2fs %-46s src=[%s] %r desc=%r detail1=%s detail2=%s any=%r" % (
                time.time() - t0, ev.type, role, name, desc, ev.detail1, ev.detail2, anyd))
        except Exception as e:  # never let a callback kill the loop
            out("  (event error: %s)" % e)

    pyatspi.Registry.registerEventListener(on_event, *types)
    out("== events (listening %.1fs; keys: %s) ==" % (duration + len(keys) * args.key_delay, keys or "none"))

    state = {"i": 0}

    def send_next():
        i = state["i"]
        if i >= len(keys):
            GLib.timeout_add(int(duration * 1000), pyatspi.Registry.stop)
            return False
        k = keys[i]
        state["i"] += 1
        out("  %6.2fs --- key %s" % (time.time() - t0, k))
        run_action(k, args.window, wait=False)
        GLib.timeout_add(int(args.key_delay * 1000), send_next)
        return False

    GLib.timeout_add(300, send_next)
    # hard stop, whatever happens
    GLib.timeout_add(int((duration + len(keys) * args.key_delay + 5) * 1000), pyatspi.Registry.stop)
    pyatspi.Registry.start(gil=False)
    pyatspi.Registry.deregisterEventListener(on_event, *types)
    for p in CHILDREN:
        try:
            p.wait(timeout=5)
        except subprocess.TimeoutExpired:
            p.kill()
            p.wait()
    out("== end of events ==")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--pid", type=int, help="process id of the application")
    ap.add_argument("--app", help="application name as on the AT-SPI desktop")
    ap.add_argument("--window", help="X window id (informational; keys go to the focused window)")
    ap.add_argument("--no-tree", action="store_true", help="do not print the tree")
    ap.add_argument("--focus", action="store_true", help="print the focused object")
    ap.add_argument("--keys", help='keys for xdotool, e.g. "Tab Tab Down" ("type:abc" types text)')
    ap.add_argument("--listen", type=float, help="seconds to listen after the last key (default 4 if --keys)")
    ap.add_argument("--key-delay", type=float, default=0.7, help="seconds between keys")
    ap.add_argument("--setup", help='actions before the dump, same syntax as --keys, e.g. "click:100,80 click:200,90"')
    ap.add_argument("--extents", action="store_true", help="print screen extents of each node (usable with click:X,Y)")
    ap.add_argument("--max-children", type=int, default=5, help="children shown for list-like nodes")
    ap.add_argument("--big", type=int, default=40, help="any node with more children is truncated too")
    ap.add_argument("--max-depth", type=int, default=40)
    ap.add_argument("--wait", type=float, default=15, help="seconds to wait for the app to register")
    ap.add_argument("--timeout-ms", type=int, default=3000, help="per-call D-Bus timeout")
    args = ap.parse_args()
    if not args.pid and not args.app:
        ap.error("need --pid or --app")
    global ARGS
    ARGS = args

    # per-call timeout, so a hung application cannot hang us (default is 25 s)
    try:
        Atspi.set_timeout(args.timeout_ms, max(args.timeout_ms, 15000))
    except Exception:
        pass

    app = find_app(args)
    if app is None:
        desktop = pyatspi.Registry.getDesktop(0)
        names = [safe(lambda: desktop.getChildAtIndex(i).name) for i in range(desktop.childCount)]
        out("application not found on the AT-SPI bus after %ss; registered: %r" % (args.wait, names))
        return 3
    # Qt registers the app before the window is ready: wait until it has a child
    deadline = time.time() + args.wait
    while (safe(lambda: app.childCount, 0) or 0) == 0 and time.time() < deadline:
        time.sleep(0.2)

    if args.setup:
        for act in shlex.split(args.setup):
            run_action(act, args.window, wait=True)
            time.sleep(0.3)
        time.sleep(0.5)

    if not args.no_tree:
        out("== accessibility tree (pid %s) ==" % safe(app.get_process_id))
        dump(app, 0, args, set())
    if args.focus:
        print_focus(app, "== focused object")
    if args.keys or args.listen:
        listen(app, args)
        if args.focus:
            print_focus(app, "== focused object after keys")
    return 0


if __name__ == "__main__":
    sys.exit(main())
