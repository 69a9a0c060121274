#!/usr/bin/env python3
"""Checks that scene files saved by different builds (Linux, Windows x64, Windows x86) are the same.

Usage: python3 tools/compare_scenes.py REFERENCE OTHER...

Numbers are compared as the doubles the files hold, bit for bit; the first difference in
structure or value is printed with its JSON path, with the largest numeric difference over the
whole file. Exit status 0 when every file equals REFERENCE, 1 otherwise.
"""

import json
import struct
import sys


def bits(number):
    return struct.pack("<d", float(number))


def differences(a, b, path="", found=None):
    found = [] if found is None else found
    if isinstance(a, dict) and isinstance(b, dict):
        if sorted(a) != sorted(b):
            found.append((path, "members differ", 0.0))
        for key in sorted(set(a) & set(b)):
            differences(a[key], b[key], f"{path}.{key}", found)
    elif isinstance(a, list) and isinstance(b, list):
        if len(a) != len(b):
            found.append((path, f"{len(a)} against {len(b)} items", 0.0))
        for i, (x, y) in enumerate(zip(a, b)):
            differences(x, y, f"{path}[{i}]", found)
    elif isinstance(a, (int, float)) and isinstance(b, (int, float)) and not isinstance(a, bool):
        if type(a) is not type(b) or bits(a) != bits(b):
            found.append((path, f"{a!r} against {b!r}", abs(float(a) - float(b))))
    elif a != b:
        found.append((path, f"{a!r} against {b!r}", 0.0))
    return found


def main(files):
    if len(files) < 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    scenes = []
    for name in files:
        with open(name, encoding="utf-8") as stream:
            scenes.append(json.load(stream))
    same = True
    for name, scene in zip(files[1:], scenes[1:]):
        found = differences(scenes[0], scene)
        if not found:
            print(f"{name}: same as {files[0]}")
            continue
        same = False
        path, what, _ = found[0]
        largest = max(delta for _, _, delta in found)
        print(f"{name}: {len(found)} differences from {files[0]}, first at {path}: {what}; "
              f"largest numeric difference {largest:.3g}")
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
