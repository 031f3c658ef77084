#!/usr/bin/python3
"""Fails when a Windows program imports a function that the oldest systems
it must start on lack.

Usage: check_imports.py --oldest 9X,NT [--table FILE] EXE...

--oldest names the oldest system of each family the programs must start
on: "95,4.0" for the 32-bit programs (Windows 95 and NT 4.0), "none,5.2"
for the 64-bit ones (no 9x; 64-bit XP). Windows refuses to start a program
that imports a function the system does not export, so every import must
be in the table with a version no newer than these.
"""

import argparse
import os
import struct
import sys
from collections import defaultdict

TABLE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "windows-imports.tsv")
NINE_X = ["95", "98", "me"]
NEVER = "-"


def ReadTable(path=TABLE_PATH):
    """(DLL, function) -> (9x, nt) from the table."""
    table = {}
    with open(path, encoding="utf-8") as stream:
        lines = [line.rstrip("\n") for line in stream if not line.startswith("#")]
    for line in lines[1:]:
        dll, function, nineX, nt = line.split("\t")[:4]
        table[(dll.upper(), function)] = (nineX, nt)
    return table


def NtVersion(text):
    return tuple(int(part) for part in text.split("."))


def Newer(nineX, nt, oldest):
    """Why a function of these versions is newer than `oldest`, or None."""
    oldestNineX, oldestNt = oldest
    reasons = []
    if oldestNineX != NEVER and (nineX == NEVER or NINE_X.index(nineX) > NINE_X.index(oldestNineX)):
        reasons.append("Windows " + oldestNineX)
    if oldestNt != NEVER and (nt == NEVER or NtVersion(nt) > NtVersion(oldestNt)):
        reasons.append("NT " + oldestNt)
    return " and ".join(reasons) or None


class PeFile:
    """The import table of a PE file, read without any tool."""

    def __init__(self, data):
        self.data = data
        header = struct.unpack_from("<I", data, 0x3C)[0]
        if data[header:header + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections = struct.unpack_from("<H", data, header + 6)[0]
        optionalSize = struct.unpack_from("<H", data, header + 20)[0]
        optional = header + 24
        self.wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
        directories = optional + (112 if self.wide else 96)
        self.importRva = struct.unpack_from("<I", data, directories + 8)[0]
        first = optional + optionalSize
        self.sections = [struct.unpack_from("<8sIIII", data, first + 40 * i) for i in range(sections)]

    def Offset(self, rva):
        for _, virtualSize, address, rawSize, rawOffset in self.sections:
            if address <= rva < address + max(virtualSize, rawSize):
                return rawOffset + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def String(self, rva):
        start = self.Offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def Imports(self):
        """[(DLL, function or "#ordinal")] in the file's order."""
        result = []
        entry = self.Offset(self.importRva)
        thunkSize, ordinalBit = (8, 1 << 63) if self.wide else (4, 1 << 31)
        while True:
            lookup, _, _, name, firstThunk = struct.unpack_from("<IIIII", self.data, entry)
            if not name:
                return result
            dll = self.String(name).upper()
            thunk = self.Offset(lookup or firstThunk)
            while True:
                value = int.from_bytes(self.data[thunk:thunk + thunkSize], "little")
                if not value:
                    break
                result.append((dll, f"#{value & 0xFFFF}" if value & ordinalBit else self.String(value + 2)))
                thunk += thunkSize
            entry += 20


def Check(imports, table, oldest):
    """The faults of one program's imports: [(DLL, function, reason)]."""
    faults = []
    for dll, function in imports:
        if (dll, function) not in table:
            faults.append((dll, function, "not in the table"))
            continue
        newer = Newer(*table[(dll, function)], oldest)
        if newer:
            faults.append((dll, function, "newer than " + newer))
    return faults


def Summary(imports, table):
    """One line per DLL: how many functions, and the newest minimum among them."""
    byDll = defaultdict(list)
    for dll, function in imports:
        byDll[dll].append(table.get((dll, function), ("?", "?")))
    lines = []
    for dll in sorted(byDll):
        versions = byDll[dll]
        nineX = max((v[0] for v in versions), key=lambda v: len(NINE_X) if v in (NEVER, "?") else NINE_X.index(v))
        nt = max((v[1] for v in versions), key=lambda v: (99,) if v in (NEVER, "?") else NtVersion(v))
        lines.append(f"  {dll:14} {len(versions):3} functions, newest: 9x {nineX}, NT {nt}")
    return lines


def Main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--oldest", required=True, help='"9X,NT", e.g. "95,4.0"')
    parser.add_argument("--table", default=TABLE_PATH)
    parser.add_argument("programs", nargs="+")
    options = parser.parse_args(arguments)
    oldest = tuple(NEVER if part == "none" else part for part in options.oldest.split(","))
    table = ReadTable(options.table)
    failed = False
    for path in options.programs:
        with open(path, "rb") as stream:
            imports = PeFile(stream.read()).Imports()
        faults = Check(imports, table, oldest)
        print(f"{os.path.basename(path)}: {len(imports)} imports, {os.path.getsize(path)} bytes")
        print("\n".join(Summary(imports, table)))
        for dll, function, reason in faults:
            print(f"  FAULT {dll} {function}: {reason}")
        failed = failed or bool(faults)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
