#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

Small valid inputs and one input per kind of damage that matters, each named
after what it holds. Run again after changing it; the files are committed.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def header(kind, name, size, keep=0, system=0, raw_name=None):
    field = raw_name if raw_name is not None else name.encode("cp1252")[:149].ljust(150, b"\0")
    return struct.pack("<IBB", kind, system, keep) + field + struct.pack("<I", size)


def archive(records, root="OrvNet", total=None):
    files = sum(1 for r in records if r[0] == 2)
    out = header(0, root, files + 1 if total is None else total)
    for kind, name, content, *flags in records:
        out += header(kind, name, len(content) if kind == 2 else 0, *flags) + content
    return out


def archives():
    good = archive([
        (2, "OrvNet.exe", b"main program"),
        (2, "L\u00e9ame.txt", b""),
        (1, "Data", b""),
        (2, "Data\\Clientes.tbl", b"tabla" * 10, 1),
        (1, "Marcas", b""),
        (1, "Marcas\\BRIVANT", b""),
        (2, "SmComp.dll", b"MZ", 0, 1),
    ])
    yield "valid_product", good
    yield "root_only", header(0, "OrvNet", 1)
    yield "root_cut_short", header(0, "OrvNet", 1)[:100]
    yield "empty", b""
    yield "header_cut_short", good + header(2, "late.txt", 4)[:90]
    yield "content_past_end", archive([(2, "a.txt", b"abc")]) + header(2, "cut.txt", 1000) + b"only ten.."
    yield "size_near_4gib", archive([(2, "a.txt", b"abc")]) + header(2, "huge.bin", 0xFFFFFFF0) + b"xyz"
    yield "filler_with_size", archive([(2, "a.txt", b"abc")]) + header(7, "", 500) + header(2, "b.txt", 2) + b"bb"
    yield "directory_with_size", header(0, "OrvNet", 1) + header(1, "Data", 99) + header(2, "Data\\x", 1) + b"x"
    yield "unknown_kind", archive([(9, "odd.bin", b"")]) + header(9, "odd.bin", 3) + b"odd"
    yield "name_unterminated", archive([]) + header(2, "", 1, raw_name=b"N" * 150) + b"n"
    yield "name_dirty_tail", archive([]) + header(2, "", 1, raw_name=b"a.txt\0junk".ljust(150, b"\0")) + b"n"
    for label, name in [("dotdot", "..\\escaped.txt"), ("absolute", "C:\\escaped.txt"),
                        ("leading_backslash", "\\escaped.txt"), ("inner_dotdot", "Data\\..\\..\\x"),
                        ("forward_slash", "Data/x.txt"), ("empty_component", "Data\\\\x.txt")]:
        yield "escape_" + label, archive([(1, "Data", b""), (2, name, b"evil")])
    yield "duplicate_names", archive([(2, "a.txt", b"1"), (2, "A.TXT", b"2")])
    yield "missing_parent", archive([(2, "Nada\\x.txt", b"x")])
    yield "root_escapes", archive([(2, "a.txt", b"1")], root="..")
    yield "total_wrong", archive([(2, "a.txt", b"1")], total=70000)


def cab_checksum(data, seed=0):
    total = seed
    words = len(data) // 4
    for i in range(words):
        total ^= struct.unpack_from("<I", data, 4 * i)[0]
    tail = data[4 * words:]
    value = 0
    for byte in tail:
        value = (value << 8) | byte
    return total ^ value


def cabinet(content, compress=True, checksums=True, name=b"OrvNet.smx"):
    blocks = []
    for at in range(0, max(len(content), 1), 32768):
        chunk = content[at:at + 32768]
        if compress:
            packer = zlib.compressobj(9, zlib.DEFLATED, -15)
            data = b"CK" + packer.compress(chunk) + packer.flush()
        else:
            data = chunk
        sizes = struct.pack("<HH", len(data), len(chunk))
        csum = cab_checksum(sizes, cab_checksum(data)) if checksums else 0
        blocks.append(struct.pack("<I", csum) + sizes + data)
    files_at = 36 + 8
    data_at = files_at + 16 + len(name) + 1
    body = b"".join(blocks)
    total = data_at + len(body)
    head = b"MSCF" + struct.pack("<IIIIIBBHHHHH", 0, total, 0, files_at, 0, 3, 1, 1, 1, 0, 12345, 0)
    folder = struct.pack("<IHH", data_at, len(blocks), 1 if compress else 0)
    entry = struct.pack("<IIHHHH", len(content), 0, 0, 0x5A21, 0, 0x20) + name + b"\0"
    return head + folder + entry + body


def cabinets():
    small = archive([(2, "OrvNet.exe", b"main program" * 20)])
    two_blocks = archive([(2, "big.bin", bytes(range(256)) * 200)])
    good = cabinet(small)
    yield "valid_one_block", good
    yield "valid_two_blocks", cabinet(two_blocks)
    yield "stored_no_checksum", cabinet(small, compress=False, checksums=False)
    yield "truncated", good[:len(good) - 20]
    bad = bytearray(good)
    bad[-5] ^= 0x41
    yield "block_checksum_wrong", bytes(bad)
    longer = bytearray(good)
    struct.pack_into("<I", longer, 8, len(good) + 500)
    yield "records_more_than_file", bytes(longer)
    yield "header_only", good[:36]
    yield "not_a_cabinet", b"This is not a cabinet at all\r\n"
    files_far = bytearray(good)
    struct.pack_into("<I", files_far, 16, 0xFFFFFFF0)
    yield "files_offset_far", bytes(files_far)
    long_name = cabinet(small, name=b"N" * 300)
    yield "name_too_long", long_name


def executable(resources):
    """A 32-bit Windows program: MZ and PE headers and one .rsrc section
    whose tree (type, id, one neutral language) holds the resources, given
    as (type, id, bytes)."""
    tree = {}
    for kind, number, data in resources:
        tree.setdefault(kind, {})[number] = data
    align = lambda n: (n + 3) & ~3
    type_dirs = 16 + 8 * len(tree)
    name_dirs = sum(16 + 8 * len(ids) for ids in tree.values())
    lang_dirs = sum(24 * len(ids) for ids in tree.values())
    entries_at = type_dirs + name_dirs + lang_dirs
    data_at = entries_at + 16 * len(resources)
    section = bytearray(data_at)
    rva = 0x1000
    name_at, lang_at, entry_at = type_dirs, type_dirs + name_dirs, entries_at
    struct.pack_into("<HH", section, 12, 0, len(tree))
    for t, kind in enumerate(sorted(tree)):
        ids = tree[kind]
        struct.pack_into("<II", section, 16 + 8 * t, kind, 0x80000000 | name_at)
        struct.pack_into("<HH", section, name_at + 12, 0, len(ids))
        for i, number in enumerate(sorted(ids)):
            struct.pack_into("<II", section, name_at + 16 + 8 * i, number, 0x80000000 | lang_at)
            struct.pack_into("<HH", section, lang_at + 12, 0, 1)
            struct.pack_into("<II", section, lang_at + 16, 0, entry_at)
            struct.pack_into("<II", section, entry_at, rva + len(section), len(ids[number]))
            section += ids[number] + b"\0" * (align(len(ids[number])) - len(ids[number]))
            lang_at += 24
            entry_at += 16
        name_at += 16 + 8 * len(ids)
    head = bytearray(0x200)
    head[0:2] = b"MZ"
    struct.pack_into("<I", head, 0x3C, 0x40)
    head[0x40:0x44] = b"PE\0\0"
    struct.pack_into("<HHIIIHH", head, 0x44, 0x14C, 1, 0, 0, 0, 224, 0x0102)
    struct.pack_into("<H", head, 0x58, 0x10B)
    struct.pack_into("<I", head, 0x58 + 92, 16)
    struct.pack_into("<II", head, 0x58 + 96 + 16, rva, len(section))
    table = 0x58 + 224
    head[table:table + 5] = b".rsrc"
    struct.pack_into("<IIII", head, table + 8, len(section), rva, len(section), 0x200)
    return bytes(head + section)


def installers():
    good_archive = archive([(2, "OrvNet.exe", b"main program" * 20), (1, "Data", b""),
                            (2, "Data\\Clientes.tbl", bytes(range(256)) * 200, 1)])
    payload = cabinet(good_archive)
    icon = (14, 1, b"icon group")
    good = executable([(10, 9001, payload), (10, 9002, b"other"), icon])
    yield "valid_installer", good
    yield "no_payload", executable([icon])
    yield "empty_payload", executable([(10, 9001, b""), icon])
    yield "payload_not_a_cabinet", executable([(10, 9001, b"MZ, no cabinet"), icon])
    yield "truncated_in_payload", good[:0x200 + 200 + len(payload) // 2]
    bad = bytearray(payload)
    bad[len(bad) // 2] ^= 0x41
    yield "payload_block_corrupt", executable([(10, 9001, bytes(bad)), icon])
    damaged_archive = archive([(2, "a.txt", b"abc")]) + header(2, "cut.txt", 1000) + b"only ten.."
    yield "wrong_archive_inside", executable([(10, 9001, cabinet(damaged_archive)), icon])
    far = bytearray(good)
    struct.pack_into("<I", far, 0x200 + 16 + 4, 0x80000000 | 0x7FFFFF00)
    yield "tree_entry_outside", bytes(far)
    past = bytearray(good)
    struct.pack_into("<I", past, 0x58 + 224 + 20, 0x7FFFFFF0)
    yield "section_past_end", bytes(past)
    yield "mz_only", b"MZ" + b"\0" * 62


def codec_texts():
    yield "abc", b"ywj9"
    yield "single_byte_final", b"b7"
    yield "two_bytes_final", b"gf8"
    yield "lines_crlf", b"ywj9" * 19 + b"\r\nywj9bA\r\n"
    yield "outside_alphabet", b"yw=j9 \t-_!b7"
    yield "lone_final_char", b"ywj9y"
    yield "binary", bytes(range(256))


def line_files():
    def cap(n):
        return struct.pack("<H", n)
    yield "two_lines", cap(150) + b"first line\r\nsecond\r\n"
    yield "no_line_end", cap(150) + b"no end at all"
    yield "cr_at_end", cap(150) + b"ends in CR\r"
    yield "long_line", cap(150) + b"x" * 1500 + b"\r\n"
    yield "capacity_one", cap(1) + b"a\r\nb\r\n"
    yield "capacity_zero", cap(0) + b"a\r\n"
    yield "nul_inside", cap(40) + b"a\0b\r\nc\r\n"
    yield "empty_lines", cap(8) + b"\r\n\r\n\r\n"


def main():
    for name, data in archives():
        put("archive_walk", name, data)
        put("smx_tools", name, data)
    for name, data in cabinets():
        put("cab_reader", name, data)
    for name, data in installers():
        put("installer_reader", name, data)
    for name, data in codec_texts():
        put("sm_b64", name, data)
    for name, data in line_files():
        put("read_line", name, data)


if __name__ == "__main__":
    main()
