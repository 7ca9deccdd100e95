#!/usr/bin/env python3
"""Checks the product generator at a tiny scale: the same seed gives the same
tree byte for byte, another seed another tree, and the tree has the shape the
scale asks for, down to the archive smx packs from it.

Usage: test_make_tree.py SMX
"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_tree  # noqa: E402

SCALE = 0.01
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def generate(folder, seed):
    product = os.path.join(folder, "OrvNet")
    subprocess.run([sys.executable, os.path.join(HERE, "make_tree.py"), product, "--scale", str(SCALE),
                    "--seed", str(seed)], check=True, stdout=subprocess.DEVNULL)
    return product


def snapshot(product):
    """Relative path (as the archive names it) -> (is folder, size, digest)."""
    tree = {}
    for folder, dirs, files in os.walk(product):
        for name in dirs + files:
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, product).replace(os.sep, "\\")
            if name in dirs:
                tree[relative] = (True, 0, "")
            else:
                with open(path, "rb") as f:
                    data = f.read()
                tree[relative] = (False, len(data), hashlib.sha256(data).hexdigest())
    return tree


def main(smx):
    shape = make_tree.Shape(SCALE)
    with tempfile.TemporaryDirectory() as work:
        for name in "abc":
            os.mkdir(os.path.join(work, name))
        first = generate(os.path.join(work, "a"), 7)
        second = generate(os.path.join(work, "b"), 7)
        other = generate(os.path.join(work, "c"), 8)
        tree = snapshot(first)
        check(tree == snapshot(second), "the same seed gave different trees")
        check(tree != snapshot(other), "another seed gave the same tree")

        folders = [p for p, (is_dir, _, _) in tree.items() if is_dir]
        files = [(p, size) for p, (is_dir, size, _) in tree.items() if not is_dir]
        check(len(folders) == shape.folders, f"{len(folders)} folders, expected {shape.folders}")
        check(len(files) == shape.files, f"{len(files)} files, expected {shape.files}")
        check(sum(1 for _, s in files if s == 0) == shape.empty, "wrong number of empty files")
        check(max(s for _, s in files) == shape.largest, "wrong largest file")
        check(sum(s for _, s in files) == shape.content_bytes, "wrong content total")
        check(max(len(p) for p in tree) == make_tree.LONGEST_NAME, "wrong longest name")
        check(max(p.count("\\") + 1 for p in tree) == make_tree.DEEPEST, "wrong deepest path")
        check(all(len(p.encode("cp1252")) <= 149 for p in tree), "a name does not fit the archive")

        archive = os.path.join(work, "OrvNet.smx")
        subprocess.run([smx, "pack", first, "-o", archive, "--keep", "Data/*.tbl", "--keep", "OrvServer/Data/*.tbl"],
                       check=True, stdout=subprocess.DEVNULL)
        verified = subprocess.run([smx, "verify", archive], check=True, capture_output=True, text=True).stdout
        match = re.search(r"(\d+) directories, (\d+) files .* (\d+) bytes in all", verified)
        check(match is not None and match.groups() == (str(shape.folders), str(shape.files), str(shape.archive_bytes)),
              f"smx verify says: {verified.strip()}")
        listing = subprocess.run([smx, "list", archive], check=True, capture_output=True, text=True).stdout
        keep = sum(1 for line in listing.splitlines() if re.match(r"\S+\s+k", line))
        check(keep == 2 * make_tree.TABLES_PER_DATA_FOLDER, f"{keep} keep-on-update files")

        refused = subprocess.run([sys.executable, os.path.join(HERE, "make_tree.py"), first, "--seed", "7"],
                                 capture_output=True, text=True)
        check(refused.returncode == 2 and "already exists" in refused.stderr, "an existing tree was not refused")
    for failure in failures:
        print("FAILED:", failure)
    print("generator:", "ok" if not failures else f"{len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
