"""Pixels and windows of the private X display: screenshots, top-level windows, geometry.

Screenshots are read with GetImage on the root window, which is what `import -window root` does; reading them
in-process is fast enough to poll a 14x17 button every few milliseconds for a lamp lit for 100 ms.
"""
import struct
import time
import zlib

from Xlib import X, display as xdisplay


class Image:
    """An RGB picture, rows top-down, with the origin it was taken at on the screen."""

    def __init__(self, width, height, rgb, origin=(0, 0)):
        self.width = width
        self.height = height
        self.rgb = rgb  # bytes, 3 per pixel
        self.origin = origin

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, x, y, w, h):
        rows = [self.rgb[((y + r) * self.width + x) * 3:((y + r) * self.width + x + w) * 3] for r in range(h)]
        return Image(w, h, b"".join(rows), (self.origin[0] + x, self.origin[1] + y))

    def mean(self, x=0, y=0, w=None, h=None):
        w = self.width - x if w is None else w
        h = self.height - y if h is None else h
        sums = [0, 0, 0]
        for r in range(h):
            row = self.rgb[((y + r) * self.width + x) * 3:((y + r) * self.width + x + w) * 3]
            for c in range(3):
                sums[c] += sum(row[c::3])
        n = max(1, w * h)
        return tuple(s / n for s in sums)

    def save_png(self, path, scale=1):
        raw = bytearray()
        for r in range(self.height):
            row = self.rgb[r * self.width * 3:(r + 1) * self.width * 3]
            if scale > 1:
                row = b"".join(row[i:i + 3] * scale for i in range(0, len(row), 3))
            for _ in range(scale):
                raw += b"\0" + row
        def chunk(kind, data):
            c = kind + data
            return struct.pack(">I", len(data)) + c + struct.pack(">I", zlib.crc32(c) & 0xFFFFFFFF)
        header = struct.pack(">IIBBBBB", self.width * scale, self.height * scale, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
                    + chunk(b"IEND", b""))


class TopLevel:
    def __init__(self, win, pid, wm_class, name, x, y, w, h):
        self.win, self.pid, self.wm_class, self.name = win, pid, wm_class, name
        self.x, self.y, self.width, self.height = x, y, w, h

    @property
    def rect(self):
        return (self.x, self.y, self.width, self.height)

    def __repr__(self):
        return "<0x%x pid %s %s %r %dx%d+%d+%d>" % (self.win.id, self.pid, self.wm_class, self.name, self.width,
                                                    self.height, self.x, self.y)


class Screen:
    def __init__(self, name=None):
        self.d = xdisplay.Display(name)
        self.root = self.d.screen().root
        self.pid_atom = self.d.intern_atom("_NET_WM_PID")
        self.width = self.d.screen().width_in_pixels
        self.height = self.d.screen().height_in_pixels

    def grab(self, x=0, y=0, w=None, h=None):
        w = self.width - x if w is None else w
        h = self.height - y if h is None else h
        reply = self.root.get_image(x, y, w, h, X.ZPixmap, 0xFFFFFFFF)
        data = reply.data
        # A 24-bit TrueColor screen delivers 32 bits per pixel, blue first (little-endian server).
        if len(data) != w * h * 4:
            raise RuntimeError("unexpected image format: %d bytes for %dx%d" % (len(data), w, h))
        rgb = bytearray(w * h * 3)
        rgb[0::3] = data[2::4]
        rgb[1::3] = data[1::4]
        rgb[2::3] = data[0::4]
        return Image(w, h, bytes(rgb), (x, y))

    def toplevels(self):
        """Viewable top-level windows of the clients, bottom to top, with pid, class, name and root geometry.
        Without a window manager they are the root's children. A reparenting window manager (openbox) puts
        each window it manages into a frame of its own: the client window is then found inside its frame,
        and its geometry is the client's, without the frame."""
        out = []
        for child in self.root.query_tree().children:
            try:
                if child.get_attributes().map_state != X.IsViewable:
                    continue
                pid_prop = child.get_full_property(self.pid_atom, X.AnyPropertyType)
                clients = [child] if pid_prop is not None else self._framed_clients(child, 2) or [child]
            except Exception:  # the window went away while we looked
                continue
            for win in clients:
                top = self._describe(win)
                if top is not None:
                    out.append(top)
        return out

    def _framed_clients(self, frame, depth):
        """Windows with a pid inside a window manager's frame, looked for `depth` levels down."""
        found = []
        for win in frame.query_tree().children:
            if win.get_attributes().map_state != X.IsViewable:
                continue
            if win.get_full_property(self.pid_atom, X.AnyPropertyType) is not None:
                found.append(win)
            elif depth > 1:
                found += self._framed_clients(win, depth - 1)
        return found

    def _describe(self, win):
        try:
            g = win.get_geometry()
            pid_prop = win.get_full_property(self.pid_atom, X.AnyPropertyType)
            pid = int(pid_prop.value[0]) if pid_prop is not None and len(pid_prop.value) else None
            wm_class = win.get_wm_class()
            name = win.get_wm_name()
            pos = win.translate_coords(self.root, 0, 0)
        except Exception:  # the window went away while we looked
            return None
        return TopLevel(win, pid, wm_class, name, -pos.x, -pos.y, g.width, g.height)

    def wait(self, predicate, timeout, interval=0.05):
        """Poll predicate() until it returns a true value; returns that value, or None after timeout s."""
        deadline = time.monotonic() + timeout
        while True:
            value = predicate()
            if value:
                return value
            if time.monotonic() >= deadline:
                return None
            time.sleep(interval)
