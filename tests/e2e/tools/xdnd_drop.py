#!/usr/bin/python3
"""Drop files onto an X window the way a desktop file manager does: an XDND source offering text/uri-list.

    xdnd_drop.py [--display :N] (--window WID | --at X,Y) [--timeout S] PATH...

The target is the given window, or the top-level window under the root point (X, Y) that announces XdndAware.
The drop is made at (X, Y), or at the centre of the given window. Paths become file:// URIs, UTF-8 and
percent-encoded, so names with blanks and outside ASCII survive; Wine turns them into a WM_DROPFILES with
Z:\\ paths.

Exit status 0 when the target accepted and finished the drop, 1 when it refused or did not answer in time.
Needs python3-xlib (use /usr/bin/python3, which has it).
"""
import argparse
import os
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display as xdisplay, protocol

XDND_VERSION = 5


def file_uri(path):
    return "file://" + urllib.parse.quote(os.path.abspath(path), safe="/")


class XdndSource:
    def __init__(self, disp):
        self.d = disp
        self.root = disp.screen().root
        a = disp.intern_atom
        self.atoms = {name: a(name) for name in (
            "XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndLeave", "XdndDrop",
            "XdndFinished", "XdndActionCopy", "XdndTypeList", "text/uri-list", "TARGETS")}
        # The source window only owns the selection and receives the target's answers; it is never mapped.
        self.win = self.root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent, X.InputOutput,
                                           event_mask=X.PropertyChangeMask)
        self.data = b""

    def find_target(self, x, y):
        """Topmost mapped child of the root containing (x, y), or a descendant of it, with XdndAware."""
        children = self.root.query_tree().children
        for child in reversed(children):  # query_tree lists bottom to top
            try:
                attrs = child.get_attributes()
                if attrs.map_state != X.IsViewable:
                    continue
                g = child.get_geometry()
            except Exception:
                continue
            if g.x <= x < g.x + g.width and g.y <= y < g.y + g.height:
                aware = self._aware_in(child)
                if aware is not None:
                    return aware
        return None

    def _aware_in(self, win):
        # Other clients' windows may vanish while we walk the tree: such a window simply is no target.
        try:
            prop = win.get_full_property(self.atoms["XdndAware"], X.AnyPropertyType)
            if prop is not None and len(prop.value):
                return win
            kids = win.query_tree().children
        except Exception:
            return None
        for kid in reversed(kids):
            found = self._aware_in(kid)
            if found is not None:
                return found
        return None

    def version_of(self, target):
        prop = target.get_full_property(self.atoms["XdndAware"], X.AnyPropertyType)
        theirs = int(prop.value[0]) if prop is not None and len(prop.value) else XDND_VERSION
        return min(theirs, XDND_VERSION)

    def send(self, target, name, l):
        ev = protocol.event.ClientMessage(window=target, client_type=self.atoms[name],
                                          data=(32, (list(l) + [0] * 5)[:5]))
        target.send_event(ev, event_mask=X.NoEventMask)
        self.d.flush()

    def answer_selection_request(self, ev):
        """Give the requester our URI list (or the list of what we offer)."""
        prop = ev.property if ev.property != X.NONE else ev.target
        if ev.target == self.atoms["text/uri-list"]:
            ev.requestor.change_property(prop, self.atoms["text/uri-list"], 8, self.data)
        elif ev.target == self.atoms["TARGETS"]:
            ev.requestor.change_property(prop, Xatom.ATOM, 32, [self.atoms["text/uri-list"]])
        else:
            prop = X.NONE
        notify = protocol.event.SelectionNotify(time=ev.time, requestor=ev.requestor, selection=ev.selection,
                                                target=ev.target, property=prop)
        ev.requestor.send_event(notify)
        self.d.flush()

    def wait_for(self, name, deadline, again=None):
        """Serve selection requests until a client message `name` arrives; returns it or None on time-out.

        `again` is called every 250 ms while waiting: a pointer that rests over a target keeps sending
        positions, and a target busy fetching the data at enter time may not answer the first one."""
        next_again = time.monotonic() + 0.25
        while time.monotonic() < deadline:
            while self.d.pending_events():
                ev = self.d.next_event()
                if ev.type == X.SelectionRequest:
                    self.answer_selection_request(ev)
                elif ev.type == X.ClientMessage and ev.client_type == self.atoms[name]:
                    return ev
            if again is not None and time.monotonic() >= next_again:
                again()
                next_again = time.monotonic() + 0.25
            time.sleep(0.005)
        return None

    def drop(self, target, x, y, paths, timeout):
        self.data = "".join(file_uri(p) + "\r\n" for p in paths).encode("utf-8")
        stamp = X.CurrentTime
        self.win.set_selection_owner(self.atoms["XdndSelection"], stamp)
        self.d.flush()
        src = self.win.id
        version = self.version_of(target)
        deadline = time.monotonic() + timeout
        self.send(target, "XdndEnter", [src, version << 24, self.atoms["text/uri-list"], 0, 0])
        def position():
            self.send(target, "XdndPosition", [src, 0, (x << 16) | y, stamp, self.atoms["XdndActionCopy"]])

        position()
        status = self.wait_for("XdndStatus", deadline, again=position)
        if status is None or not (status.data[1][1] & 1):
            self.send(target, "XdndLeave", [src, 0, 0, 0, 0])
            return False, "target did not accept the drop" if status else "no XdndStatus from target"
        self.send(target, "XdndDrop", [src, 0, stamp, 0, 0])
        finished = self.wait_for("XdndFinished", deadline)
        if finished is None:
            return False, "no XdndFinished from target"
        # Version 5 reports in bit 0 whether the target took the data.
        if version >= 5 and not (finished.data[1][1] & 1):
            return False, "target finished without taking the drop"
        return True, "ok"


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--display", default=os.environ.get("DISPLAY"))
    ap.add_argument("--window", help="target X window id (decimal or 0x hex)")
    ap.add_argument("--at", help="root point X,Y of the drop")
    ap.add_argument("--timeout", type=float, default=10.0)
    ap.add_argument("paths", nargs="+")
    args = ap.parse_args(argv)
    if not args.window and not args.at:
        ap.error("give --window or --at")
    disp = xdisplay.Display(args.display)
    src = XdndSource(disp)
    if args.window:
        target = disp.create_resource_object("window", int(args.window, 0))
        g = target.get_geometry()
        origin = target.translate_coords(src.root, 0, 0)
        x, y = -origin.x + g.width // 2, -origin.y + g.height // 2
    else:
        x, y = (int(v) for v in args.at.split(","))
        target = None
    if args.at:
        x, y = (int(v) for v in args.at.split(","))
    if target is None:
        target = src.find_target(x, y)
        if target is None:
            print("xdnd_drop: no XdndAware window at %d,%d" % (x, y), file=sys.stderr)
            return 1
    ok, why = src.drop(target, x, y, args.paths, args.timeout)
    if not ok:
        print("xdnd_drop: " + why, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
