"""Drops files on an X window as a file manager does: the XDND protocol,
spoken by a window of this process, with the files offered as a URI list.
Wine turns such a drop into WM_DROPFILES for a window that accepts files."""

import time
import urllib.parse

from Xlib import X, Xatom, display, protocol

XDND_VERSION = 5


def _Message(d, source, target, name, *data):
    values = list(data) + [0] * (5 - len(data))
    event = protocol.event.ClientMessage(window=target, client_type=d.intern_atom(name),
                                         data=(32, [source.id] + values[:4]))
    target.send_event(event)
    d.flush()


def _Answer(d, request, uris):
    """Hands the URI list to whoever asks for the drag's selection."""
    uriList = d.intern_atom("text/uri-list")
    answered = X.NONE
    if request.target == uriList:
        request.requestor.change_property(request.property, uriList, 8, uris)
        answered = request.property
    elif request.target == d.intern_atom("TARGETS"):
        request.requestor.change_property(request.property, Xatom.ATOM, 32, [uriList])
        answered = request.property
    request.requestor.send_event(protocol.event.SelectionNotify(
        time=request.time, requestor=request.requestor, selection=request.selection,
        target=request.target, property=answered))
    d.flush()


def DropFiles(windowId, point, paths, timeout=10.0):
    """Drops the files at the root point (x, y) on the window; returns
    whether the target said it took them."""
    d = display.Display()
    try:
        root = d.screen().root
        source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        target = d.create_resource_object("window", int(windowId))
        uris = "".join("file://" + urllib.parse.quote(p) + "\r\n" for p in paths).encode()
        source.set_selection_owner(d.intern_atom("XdndSelection"), X.CurrentTime)
        _Message(d, source, target, "XdndEnter", XDND_VERSION << 24,
                 d.intern_atom("text/uri-list"))
        _Message(d, source, target, "XdndPosition", 0, (point[0] << 16) | point[1],
                 X.CurrentTime, d.intern_atom("XdndActionCopy"))
        dropped = False
        end = time.time() + timeout
        while time.time() < end:
            if not d.pending_events():
                time.sleep(0.02)
                continue
            event = d.next_event()
            if event.type == X.SelectionRequest:
                _Answer(d, event, uris)
            elif event.type == X.ClientMessage:
                name = d.get_atom_name(event.client_type)
                values = event.data[1]
                if name == "XdndStatus" and not dropped:
                    if not values[1] & 1:
                        return False
                    _Message(d, source, target, "XdndDrop", 0, X.CurrentTime)
                    dropped = True
                elif name == "XdndFinished":
                    return bool(values[1] & 1) if len(values) > 1 else True
        return False
    finally:
        d.close()
