#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints, as JSON, what a screen reader finds of one application over AT-SPI.

Usage: atspi_tree.py APP_NAME    the application's accessible tree
       atspi_tree.py --check     exits 0 if the AT-SPI bindings can be loaded

Output: {"applications": [names registered], "tree": node or null}, where a node is
{"name", "role", "description", "text", "states": [...], "children": [...]}.
The buses come from the environment (DBUS_SESSION_BUS_ADDRESS, AT_SPI_BUS_ADDRESS).
"""

import json
import sys

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
except (ImportError, ValueError) as error:
    print(f"the AT-SPI bindings are missing (python3-gi, gir1.2-atspi-2.0): {error}", file=sys.stderr)
    sys.exit(3)

# A tree deeper than this is a cycle, not a window.
MAX_DEPTH = 40


def text_of(accessible):
    if "Text" not in accessible.get_interfaces():
        return None
    return Atspi.Text.get_text(accessible, 0, Atspi.Text.get_character_count(accessible))


def node(accessible, depth):
    # An object may go away while it is read; what was read of it still counts.
    entry = {"name": "", "role": "", "description": "", "text": None, "states": [], "children": []}
    try:
        entry["name"] = accessible.get_name() or ""
        entry["role"] = accessible.get_role_name() or ""
        entry["description"] = accessible.get_description() or ""
        entry["states"] = sorted(s.value_nick for s in accessible.get_state_set().get_states())
        entry["text"] = text_of(accessible)
        count = accessible.get_child_count()
    except GLib.Error as error:
        entry["error"] = error.message
        return entry
    if depth < MAX_DEPTH:
        for i in range(count):
            try:
                child = accessible.get_child_at_index(i)
            except GLib.Error as error:
                entry["children"].append({"error": error.message})
                continue
            if child is not None:
                entry["children"].append(node(child, depth + 1))
    return entry


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    if argv[1] == "--check":
        return 0
    Atspi.init()
    desktop = Atspi.get_desktop(0)
    names = []
    tree = None
    for i in range(desktop.get_child_count()):
        try:
            app = desktop.get_child_at_index(i)
            name = app.get_name() if app is not None else None
        except GLib.Error:
            continue
        if name is None:
            continue
        names.append(name)
        if tree is None and name == argv[1]:
            tree = node(app, 0)
    json.dump({"applications": names, "tree": tree}, sys.stdout, ensure_ascii=False)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
