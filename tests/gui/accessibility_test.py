#!/usr/bin/python3
# horolux read through the AT-SPI bus (run by dbus-run-session inside the sandbox): focus
# targets, menu items and the progress bar named, the view "Clock" with the time as its text,
# one name change on pane 0 for a result from chronyd, and no events while idle.
import os, re, subprocess, tempfile, time, pyatspi
from gi.repository import GLib

work = tempfile.mkdtemp(dir=os.environ["HOROLUX_SANDBOX_DIR"])
os.mkdir(f"{work}/Veldmark")
open(f"{work}/Veldmark/Horolux.conf", "w").write("[Options]\nTimeBase=127.0.0.1\nProtocol=SNTP\n")
open(f"{work}/chrony.conf", "w").write(f"port 123\nbindaddress 127.0.0.1\nallow 127.0.0.1\nlocal stratum 10\ncmdport 0\npidfile {work}/pid\n")
started = [subprocess.Popen(["chronyd", "-x", "-d", "-u", "root", "-f", f"{work}/chrony.conf"]),
           subprocess.Popen([os.environ["HOROLUX_BIN_DIR"] + "/horolux"], env=dict(os.environ,
               XDG_CONFIG_HOME=work, XDG_STATE_HOME=work, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))]
failures, events, deadline = [], [], time.monotonic() + 60
heard = lambda e: events.append((e.type, e.source.getRoleName(), e.source.name)) or listen.done() and pyatspi.Registry.stop()
def listen(seconds, done=lambda: False):  # events until done() or the time is up
    listen.done = done
    GLib.timeout_add(seconds * 1000, pyatspi.Registry.stop)
    pyatspi.Registry.start()
find = lambda test: pyatspi.findAllDescendants(app, test)
try:
    while not (app := next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Horolux"), None)) or not find(lambda o: o.name == "Query Current Timebase"):
        assert time.monotonic() < deadline, "horolux did not appear on the AT-SPI bus"
        time.sleep(0.1)
    for o in find(lambda o: o.getRole() == pyatspi.ROLE_MENU_ITEM or o.getState().contains(pyatspi.STATE_FOCUSABLE)):
        o.name or failures.append(f"unnamed {o.getRoleName()} (focusable or menu item)")
    (bar := find(lambda o: o.getRole() == pyatspi.ROLE_PROGRESS_BAR)[0]).name and bar.queryAction().nActions == 0 or failures.append(f"progress bar '{bar.name}' with actions")
    (clock := find(lambda o: o.name == "Clock")) and re.fullmatch(r"\d?\d:\d\d:\d\d", clock[0].queryText().getText(0, -1)) or failures.append("no 'Clock' with the time")
    pyatspi.Registry.registerEventListener(heard, "object")
    find(lambda o: o.name == "Query Current Timebase")[0].queryAction().doAction(0)
    result = lambda e: e[0].endswith("accessible-name") and "Delta" in e[2]
    listen(60, lambda: result(events[-1]))
    del events[:-1]
    listen(10)  # the rest of the query, then idle: a per-second event shows as 10
    len([e for e in events if result(e)]) == 1 or failures.append(f"the result changed pane 0's name more than once: {events}")
    len(events) <= 2 or failures.append(f"{len(events)} events in ten seconds after a query: {events[:4]}")
finally:
    for process in reversed(started):
        process.terminate(), process.wait(10)
exit("\n".join(failures) or None)
