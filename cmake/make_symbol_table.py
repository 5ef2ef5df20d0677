#!/usr/bin/env python3
"""Makes the compact symbol table that a program carries for its own stack traces.

The table maps address ranges of the program's code (relative to its image base) to short function
names, so that an error report names our functions on a machine without any debug files. It is
generated from the linked program with the toolchain's nm, embedded as a resource in a second link
of the same objects, and checked against the final program after that link (--verify).

Binary layout (little-endian variable-length integers, LEB128):
  "RSYM", version byte 1, count,
  count times: RVA delta from the previous entry (the first from 0; strictly increasing after it),
               length of the prefix shared with the previous name, length of the rest, the rest.
An entry with an empty name starts a range that belongs to no function (the end of a code section).
"""
import argparse
import re
import struct
import sys

MAGIC = b"RSYM"
VERSION = 1
MAX_NAME = 160
EXECUTABLE = 0x20000000  # IMAGE_SCN_MEM_EXECUTE
CODE = 0x00000020        # IMAGE_SCN_CNT_CODE

# Standard library spellings that fill a trace line without saying more.
ABBREVIATIONS = [
    ("std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >", "std::string"),
    ("std::__cxx11::basic_string<wchar_t, std::char_traits<wchar_t>, std::allocator<wchar_t> >",
     "std::wstring"),
    ("std::basic_string<char, std::char_traits<char>, std::allocator<char> >", "std::string"),
    ("std::basic_string<wchar_t, std::char_traits<wchar_t>, std::allocator<wchar_t> >", "std::wstring"),
    ("std::__cxx11::", "std::"),
]


def read_pe(path):
    """Image base and the code sections' [start, end) ranges (RVAs) of a PE file."""
    with open(path, "rb") as f:
        data = f.read(4096)
    if data[:2] != b"MZ":
        raise SystemExit(f"{path}: not a Windows program")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise SystemExit(f"{path}: no PE header")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    if magic == 0x20B:
        image_base = struct.unpack_from("<Q", data, optional + 24)[0]
    elif magic == 0x10B:
        image_base = struct.unpack_from("<I", data, optional + 28)[0]
    else:
        raise SystemExit(f"{path}: unknown optional header {magic:#x}")
    code = []
    table = optional + optional_size
    for i in range(sections):
        _, size, rva, flags = struct.unpack_from("<8sII20xI", data, table + 40 * i)
        if flags & (EXECUTABLE | CODE):
            code.append((rva, rva + size))
    return image_base, code


def matching_open(name, close_at):
    """Index of the bracket that opens the group closing at close_at (scanning backwards)."""
    pairs = {")": "(", ">": "<"}
    depth = 0
    for i in range(close_at, -1, -1):
        c = name[i]
        if c in pairs:
            depth += 1
        elif c in "(<":
            depth -= 1
            if depth == 0:
                return i
    return -1


CLONE = re.compile(r"( \[clone [^\]]*\])+$")  # compiler-made copies: "f(int) [clone .cold]"


def short_name(name):
    """The qualified function name without its parameter list, shortened where it says nothing."""
    clone = CLONE.search(name)
    copies = clone.group(0) if clone else ""
    name = name[: len(name) - len(copies)]
    for long, short in ABBREVIATIONS:
        name = name.replace(long, short)
    for qualifier in (" const", " volatile", " &", " &&"):
        if name.endswith(qualifier):
            name = name[: -len(qualifier)]
    if name.endswith(")"):
        start = matching_open(name, len(name) - 1)
        if start > 0:
            name = name[:start]
    name += copies
    if len(name) > MAX_NAME:
        name = name[: MAX_NAME - 3] + "..."
    return name


def parse_listing(lines, image_base, code, strip_underscore):
    """{rva: name} of the functions in an `nm -C --defined-only` listing, within the code sections."""
    functions = {}
    ranks = {}
    for line in lines:
        parts = line.rstrip("\n").split(" ", 2)
        if len(parts) != 3 or parts[1] not in ("T", "t"):
            continue
        address, kind, name = parts
        if name.startswith(".") or not name:
            continue  # section and local labels
        if strip_underscore and name.startswith("_") and "::" not in name:
            name = name[1:]
        rva = int(address, 16) - image_base
        if not any(start <= rva < end for start, end in code):
            continue
        # At one address, a global name wins over a file-local one, then the first seen.
        rank = 0 if kind == "T" else 1
        if rva not in functions or rank < ranks[rva]:
            functions[rva] = short_name(name)
            ranks[rva] = rank
    for start, end in code:
        functions.setdefault(end, "")
        if start not in functions:
            functions[start] = ""
    return functions


def uleb(value):
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        if value:
            out.append(byte | 0x80)
        else:
            out.append(byte)
            return bytes(out)


def encode(functions):
    out = bytearray(MAGIC)
    out.append(VERSION)
    out += uleb(len(functions))
    previous_rva, previous_name = 0, b""
    for rva in sorted(functions):
        name = functions[rva].encode("utf-8")
        shared = 0
        limit = min(len(name), len(previous_name))
        while shared < limit and name[shared] == previous_name[shared]:
            shared += 1
        out += uleb(rva - previous_rva) + uleb(shared) + uleb(len(name) - shared) + name[shared:]
        previous_rva, previous_name = rva, name
    return bytes(out)


def listing_of(nm, exe):
    import subprocess
    result = subprocess.run([nm, "-C", "--defined-only", exe], capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"{nm} failed on {exe}: {result.stderr.strip()}")
    return result.stdout.splitlines()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", help="where to write the table")
    parser.add_argument("--exe", help="the linked program")
    parser.add_argument("--nm", help="the toolchain's nm (with --exe)")
    parser.add_argument("--verify", help="compare the table of --exe with this embedded table")
    parser.add_argument("--listing", help="an nm listing instead of --exe (needs --image-base, --code)")
    parser.add_argument("--image-base", type=lambda s: int(s, 16))
    parser.add_argument("--code", action="append", default=[], help="START:END of a code section (hex RVAs)")
    parser.add_argument("--strip-underscore", action="store_true", help="C names carry a leading _ (i686)")
    args = parser.parse_args()

    if args.listing:
        with open(args.listing) as f:
            lines = f.readlines()
        image_base = args.image_base
        code = [tuple(int(part, 16) for part in c.split(":")) for c in args.code]
    else:
        lines = listing_of(args.nm, args.exe)
        image_base, code = read_pe(args.exe)
    functions = parse_listing(lines, image_base, code, args.strip_underscore)
    named = sum(1 for name in functions.values() if name)
    if named == 0:
        raise SystemExit("no functions found: is the program stripped of its symbols?")
    table = encode(functions)

    if args.verify:
        with open(args.verify, "rb") as f:
            embedded = f.read()
        if embedded != table:
            raise SystemExit(f"{args.exe}: the embedded symbol table does not match the program's "
                             f"addresses; the code moved between the two links")
        return
    with open(args.out, "wb") as f:
        f.write(table)
    print(f"symbol table: {named} functions, {len(table)} bytes")


if __name__ == "__main__":
    sys.exit(main())
