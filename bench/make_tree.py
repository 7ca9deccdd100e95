#!/usr/bin/env python3
"""Generates a product folder with the shape of the real OrvNet product.

At scale 1 the folder packs into an archive of 383,355,896 bytes in 25,372
records: the root, 241 folders and 25,130 files, 50 of them empty; the
largest file has 6,144,054 bytes, the longest relative name 142 characters
and the deepest path five components. The content compresses about 15:1 as
a whole: most of it is sparse fixed-width tables, some is program-like
bytes, and a few files (images, archives) do not compress at all. A smaller
scale keeps the same mix with proportionally fewer files, folders and bytes.

The same seed and scale always give the same names and bytes.

Usage: make_tree.py PRODUCT_DIR [--scale full|small|FRACTION] [--seed N]
PRODUCT_DIR must end in /OrvNet (the folder name is the archive's root name)
and must not exist yet, unless --replace is given.
"""
import argparse
import os
import random
import shutil
import sys

HEADER_BYTES = 160
FULL = dict(folders=241, files=25130, empty=50, archive_bytes=383_355_896)
LARGEST = 6_144_054
LONGEST_NAME = 142
DEEPEST = 5
SCALES = {"full": 1.0, "small": 0.1}

# The folders the installer and the packer's default marks know by name.
FIXED_FOLDERS = ["Data", "Marcas", "Marcas\\BRIVANT", "OrvServer", "OrvServer\\Data"]
TABLES_PER_DATA_FOLDER = 27
# Share of the content bytes of each kind, tuned so that zlib at level 6
# compresses the whole about 15:1.
RANDOM_SHARE = 0.021
PROGRAM_SHARE = 0.06

SYLLABLES = ["ma", "te", "ri", "al", "es", "cal", "cu", "lo", "ner", "va", "dor", "ba", "se", "ace", "ro",
             "hor", "mi", "gon", "vi", "ga", "pla", "ca", "tu", "bo", "per", "fil", "ar", "ma", "du", "ra",
             "ción", "ño", "ló", "gi", "co"]
TABLE_EXT = [".tbl", ".dat", ".idx", ".txt", ".htm", ".xml", ".ini", ".csv"]
PROGRAM_EXT = [".dll", ".exe", ".ocx", ".bpl"]
RANDOM_EXT = [".jpg", ".png", ".zip", ".cab"]
POOL_BYTES = 8 << 20


class Shape:
    """The counts a scale asks for."""

    def __init__(self, scale):
        self.folders = max(len(FIXED_FOLDERS) + DEEPEST - 1, round(FULL["folders"] * scale))
        self.files = max(2 * TABLES_PER_DATA_FOLDER + 8, round(FULL["files"] * scale))
        self.empty = max(1, round(FULL["empty"] * scale))
        records = 1 + self.folders + self.files
        content = round((FULL["archive_bytes"] - HEADER_BYTES * (1 + FULL["folders"] + FULL["files"])) * scale)
        self.largest = min(LARGEST, content // 4)
        self.content_bytes = content
        self.archive_bytes = HEADER_BYTES * records + content
        self.records = records


def scale_value(text):
    if text in SCALES:
        return SCALES[text]
    try:
        value = float(text)
    except ValueError:
        raise argparse.ArgumentTypeError(f"'{text}' is not full, small or a fraction")
    if not 0 < value <= 1:
        raise argparse.ArgumentTypeError(f"scale {text} must lie in (0, 1]")
    return value


def word(rng, syllables):
    return "".join(rng.choice(SYLLABLES) for _ in range(syllables))


def unique_name(rng, taken, make):
    while True:
        name = make()
        if name.lower() not in taken:
            taken.add(name.lower())
            return name


def make_folders(rng, shape):
    """Relative folder paths (backslash-joined), parents before children."""
    folders = list(FIXED_FOLDERS)
    taken = {"": {"data", "marcas", "orvserver", "orvnet.exe", "desinstalarorv25.exe"},
             "Marcas": {"brivant"}, "OrvServer": {"data", "orvserver.exe"}}
    for folder in folders:
        taken.setdefault(folder, set())

    def add_child(parent):
        name = unique_name(rng, taken[parent], lambda: word(rng, rng.randint(2, 4)).capitalize())
        path = f"{parent}\\{name}" if parent else name
        taken[path] = set()
        folders.append(path)
        return path

    # One chain four folders deep, so that files five components deep exist.
    parent = ""
    for _ in range(DEEPEST - 1):
        parent = add_child(parent)
    while len(folders) < shape.folders:
        candidates = [""] + [f for f in folders if f.count("\\") < DEEPEST - 2]
        add_child(rng.choice(candidates))
    return folders, taken


def file_kind(rng, extension_pick):
    roll = rng.random()
    if roll < extension_pick[0]:
        return "random"
    if roll < extension_pick[0] + extension_pick[1]:
        return "program"
    return "table"


def file_sizes(rng, shape, count):
    """`count` sizes for the non-empty files other than the largest, summing
    to what the shape's content needs."""
    target = shape.content_bytes - shape.largest
    raw = [rng.lognormvariate(8.3, 1.7) for _ in range(count)]
    factor = target / sum(raw)
    cap = shape.largest - 1
    sizes = [max(1, min(cap, round(r * factor))) for r in raw]
    difference = target - sum(sizes)
    # Spread what rounding and the cap left over across the files.
    step = 1 if difference > 0 else -1
    index = 0
    while difference != 0:
        i = index % count
        room = cap - sizes[i] if step > 0 else sizes[i] - 1
        move = min(room, abs(difference), max(1, abs(difference) // count + 1))
        sizes[i] += step * move
        difference -= step * move
        index += 1
    return sizes


def plan_files(rng, shape, folders, taken):
    """(path, size, kind) for every file."""
    files = []
    for data in ("Data", "OrvServer\\Data"):
        for _ in range(TABLES_PER_DATA_FOLDER):
            files.append([data + "\\" + unique_name(rng, taken[data], lambda: word(rng, 3).capitalize() + ".tbl"),
                          "table"])
    files.append(["OrvNet.exe", "program"])
    files.append(["DesinstalarOrv25.exe", "program"])
    files.append(["OrvServer\\OrvServer.exe", "program"])

    deepest = max(folders, key=lambda f: (f.count("\\"), f))
    # Folder sizes vary a lot, as in a real product: a few hold thousands.
    weights = [rng.expovariate(1.0) ** 2 for _ in folders]
    # The tables of the Data folders are fixed; the marker folder stays empty.
    reserved = {"Data", "OrvServer\\Data", "Marcas\\BRIVANT"}
    free_folders = [""] + [f for f in folders if f not in reserved]
    free_weights = [1.0] + [w for f, w in zip(folders, weights) if f not in reserved]
    share = (RANDOM_SHARE, PROGRAM_SHARE)
    while len(files) < shape.files - 1:
        folder = rng.choices(free_folders, free_weights)[0]
        kind = file_kind(rng, share)
        ext = rng.choice({"random": RANDOM_EXT, "program": PROGRAM_EXT, "table": TABLE_EXT}[kind])
        name = unique_name(rng, taken[folder], lambda: word(rng, rng.randint(2, 5)) + ext)
        path = f"{folder}\\{name}" if folder else name
        if len(path) > LONGEST_NAME - 1:
            continue
        files.append([path, kind])
    # The longest name: a file in the deepest folder, padded to the exact length.
    stem = "Tabla de propiedades mecánicas"
    room = LONGEST_NAME - len(deepest) - 1 - len(".tbl")
    long_name = (stem + " " + "x" * room)[:room].rstrip(" ").ljust(room, "_") + ".tbl"
    taken[deepest].add(long_name.lower())
    files.append([deepest + "\\" + long_name, "table"])

    # Sizes: a few empty, one largest, the rest drawn and fitted to the total.
    order = list(range(len(files)))
    rng.shuffle(order)
    empty = set(order[: shape.empty])
    largest = next(i for i in order[shape.empty:] if files[i][1] == "program")
    rest = [i for i in range(len(files)) if i not in empty and i != largest]
    sizes = file_sizes(rng, shape, len(rest))
    size_of = dict(zip(rest, sizes))
    size_of[largest] = shape.largest
    for i in empty:
        size_of[i] = 0
    return [(path, size_of[i], kind) for i, (path, kind) in enumerate(files)]


def table_pool(rng):
    """Sparse fixed-width records: a name, a few numbers, padding."""
    records = []
    length = 0
    while length < POOL_BYTES:
        name = word(rng, rng.randint(2, 5)).encode("cp1252")[:24]
        fields = b"%s;%d;%d.%03d;%d" % (name, rng.randint(1, 9999), rng.randint(0, 999), rng.randint(0, 999),
                                       rng.randint(0, 65535))
        record = fields.ljust(720, b"\0")
        records.append(record)
        length += len(record)
    return b"".join(records)


def program_pool(rng):
    """Bytes with the repetition of machine code: fresh runs and copies."""
    out = bytearray()
    while len(out) < POOL_BYTES:
        if len(out) > 4096 and rng.random() < 0.62:
            length = rng.randint(8, 96)
            start = len(out) - rng.randint(length, 4096)
            out += out[start:start + length]
        else:
            out += rng.randbytes(rng.randint(4, 24))
    return bytes(out[:POOL_BYTES])


def write_tree(product, plan, folders, rng):
    pools = {"table": table_pool(rng), "program": program_pool(rng), "random": rng.randbytes(POOL_BYTES)}
    doubled = {kind: pool + pool for kind, pool in pools.items()}
    for folder in folders:
        os.makedirs(os.path.join(product, *folder.split("\\")), exist_ok=True)
    for path, size, kind in plan:
        start = rng.randrange(POOL_BYTES)
        with open(os.path.join(product, *path.split("\\")), "wb") as out:
            out.write(doubled[kind][start:start + size])


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                     formatter_class=argparse.RawDescriptionHelpFormatter,
                                     epilog="Prints the shape it made: records, folders, files, bytes.")
    parser.add_argument("product_dir", metavar="PRODUCT_DIR", help="folder to create; its name must be OrvNet")
    parser.add_argument("--scale", type=scale_value, default=1.0,
                        help="full (default), small (0.1) or a fraction in (0, 1]")
    parser.add_argument("--seed", type=int, default=2500, help="seed of names, sizes and bytes (default 2500)")
    parser.add_argument("--replace", action="store_true", help="remove PRODUCT_DIR first if it exists")
    args = parser.parse_args(argv)

    product = os.path.abspath(args.product_dir)
    if os.path.basename(product) != "OrvNet":
        parser.error(f"{args.product_dir}: the product folder must be named OrvNet")
    if os.path.lexists(product):
        if not args.replace:
            parser.error(f"{args.product_dir}: already exists (use --replace)")
        shutil.rmtree(product)
    if not os.path.isdir(os.path.dirname(product)):
        parser.error(f"{args.product_dir}: its parent folder does not exist")

    shape = Shape(args.scale)
    rng = random.Random(args.seed)
    folders, taken = make_folders(rng, shape)
    plan = plan_files(rng, shape, folders, taken)
    # Written beside the destination and renamed, so that an interrupted run
    # never leaves a half tree under the final name.
    partial = product + ".partial"
    shutil.rmtree(partial, ignore_errors=True)
    try:
        write_tree(partial, plan, folders, rng)
        os.rename(partial, product)
    except OSError as error:
        shutil.rmtree(partial, ignore_errors=True)
        print(f"make_tree.py: {product}: {error.strerror}", file=sys.stderr)
        return 1
    print(f"{product}: {shape.records} records ({len(folders)} folders, {len(plan)} files, "
          f"{sum(1 for p in plan if p[1] == 0)} empty), archive {shape.archive_bytes} bytes, "
          f"largest file {max(p[1] for p in plan)} bytes, longest name {max(len(p[0]) for p in plan)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
