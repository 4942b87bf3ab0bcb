#!/usr/bin/python3
"""A minimal XDND drop target, to test the drop source without Wine.

    xdnd_target.py [--fetch-on-enter] [--refuse] X Y W H

Maps an XdndAware window at (X, Y, W x H), prints "ready <window id>" and waits for one drop. It then prints
one JSON line {"uris": [...], "position": [x, y]} and exits. With --fetch-on-enter it reads the data as soon as
the source enters (as Wine does); with --refuse it answers every position with "not accepted".
"""
import argparse
import json
import sys
import time

from Xlib import X, display as xdisplay, protocol


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--fetch-on-enter", action="store_true")
    ap.add_argument("--refuse", action="store_true")
    ap.add_argument("--timeout", type=float, default=20.0)
    ap.add_argument("geometry", nargs=4, type=int)
    args = ap.parse_args()
    d = xdisplay.Display()
    root = d.screen().root
    a = d.intern_atom
    aware, enter, position, status, drop, finished, leave = (a(n) for n in (
        "XdndAware", "XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop", "XdndFinished", "XdndLeave"))
    selection, uri_list, copy = a("XdndSelection"), a("text/uri-list"), a("XdndActionCopy")
    landing = a("TELLY_XDND_DATA")
    x, y, w, h = args.geometry
    win = root.create_window(x, y, w, h, 0, X.CopyFromParent, X.InputOutput, X.CopyFromParent,
                             background_pixel=d.screen().black_pixel, override_redirect=True,
                             event_mask=X.PropertyChangeMask | X.StructureNotifyMask)
    win.change_property(aware, a("ATOM"), 32, [5])
    win.map()
    d.sync()
    print("ready %d" % win.id, flush=True)

    def reply(src, name, l):
        ev = protocol.event.ClientMessage(window=src, client_type=name, data=(32, (l + [0] * 5)[:5]))
        src.send_event(ev)
        d.flush()

    held = []  # events that arrived while waiting for the selection, handled afterwards

    def fetch(stamp):
        win.convert_selection(selection, uri_list, landing, stamp)
        d.flush()
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            while d.pending_events():
                ev = d.next_event()
                if ev.type != X.SelectionNotify:
                    held.append(ev)
                else:
                    if ev.property == X.NONE:
                        return None
                    prop = win.get_full_property(landing, X.AnyPropertyType)
                    return bytes(prop.value) if prop else None
            time.sleep(0.005)
        return None

    data = None
    point = None
    deadline = time.monotonic() + args.timeout
    while time.monotonic() < deadline:
        while held or d.pending_events():
            ev = held.pop(0) if held else d.next_event()
            if ev.type != X.ClientMessage:
                continue
            src = d.create_resource_object("window", ev.data[1][0])
            if ev.client_type == enter and args.fetch_on_enter:
                data = fetch(X.CurrentTime)
            elif ev.client_type == position:
                packed = ev.data[1][2]
                point = [packed >> 16, packed & 0xFFFF]
                ok = 0 if args.refuse else 1
                reply(src, status, [win.id, ok, 0, 0, copy if ok else 0])
            elif ev.client_type == leave:
                print(json.dumps({"left": True}), flush=True)
                return 0
            elif ev.client_type == drop:
                if data is None:
                    data = fetch(ev.data[1][2])
                reply(src, finished, [win.id, 1 if data is not None else 0, copy, 0, 0])
                uris = data.decode("utf-8").split("\r\n") if data is not None else []
                print(json.dumps({"uris": [u for u in uris if u], "position": point}), flush=True)
                return 0
        time.sleep(0.005)
    print(json.dumps({"timeout": True}), flush=True)
    return 1


if __name__ == "__main__":
    sys.exit(main())
