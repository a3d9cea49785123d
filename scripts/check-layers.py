#!/usr/bin/env python3
"""Checks that no source includes a header of a higher layer.

usage: check-layers.py LAYERS_FILE SOURCE_ROOT LAYER [LAYER ...]
LAYERS_FILE lines: layer, tab, path relative to SOURCE_ROOT (written by
src/CMakeLists.txt). The layers are given lowest first. Headers of the C and
C++ libraries and of Windows (angle brackets) are not looked at.
"""
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def main():
    layers_file, root, *order = sys.argv[1:]
    rank = {name: i for i, name in enumerate(order)}
    layer_of = {}
    with open(layers_file, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line:
                layer, path = line.split("\t")
                layer_of[path] = layer
    faults = []
    for path, layer in sorted(layer_of.items()):
        with open(f"{root}/{path}", encoding="utf-8") as f:
            text = f.read()
        for included in INCLUDE.findall(text):
            target = layer_of.get(f"src/{included}")
            if target is None:
                faults.append(f"{path}: includes \"{included}\", which belongs to no layer")
            elif rank[target] > rank[layer]:
                faults.append(f"{path} ({layer}): includes \"{included}\" of the higher layer {target}")
    for fault in faults:
        print(fault)
    print(f"{len(layer_of)} files checked, {len(faults)} wrong includes")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
