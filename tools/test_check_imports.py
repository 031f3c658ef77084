#!/usr/bin/python3
"""Checks of the import check: versions per family, and a PE file it reads."""

import os
import struct
import sys
import unittest

sys.dont_write_bytecode = True  # keep __pycache__ out of the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_imports  # noqa: E402

OLD_32 = ("95", "4.0")
XP_64 = ("-", "5.2")


def TinyPe(wide, imports):
    """A PE image with one section holding an import table of `imports`."""
    section, base = bytearray(0x400), 0x1000
    thunkSize = 8 if wide else 4
    descriptors, cursor = [], 0x100
    for dll, functions in imports:
        name = cursor
        section[cursor:cursor + len(dll) + 1] = dll.encode() + b"\0"
        cursor += 32
        thunks = cursor
        cursor += thunkSize * (len(functions) + 1)
        for i, function in enumerate(functions):
            section[cursor + 2:cursor + 3 + len(function)] = function.encode() + b"\0"
            section[thunks + i * thunkSize:thunks + (i + 1) * thunkSize] = (base + cursor).to_bytes(thunkSize, "little")
            cursor += 40
        descriptors.append(struct.pack("<IIIII", base + thunks, 0, 0, base + name, base + thunks))
    section[0:20 * (len(descriptors) + 1)] = b"".join(descriptors) + bytes(20)
    optionalSize = 240 if wide else 224
    header = bytearray(0x40)
    struct.pack_into("<I", header, 0x3C, 0x40)
    pe = b"PE\0\0" + struct.pack("<HHIIIHH", 0x8664 if wide else 0x14C, 1, 0, 0, 0, optionalSize, 0)
    optional = bytearray(optionalSize)
    struct.pack_into("<H", optional, 0, 0x20B if wide else 0x10B)
    struct.pack_into("<I", optional, (112 if wide else 96) + 8, base)
    table = struct.pack("<8sIIIII", b".idata", len(section), base, len(section), 0x200, 0) + bytes(16)
    image = bytes(header) + pe + bytes(optional) + table
    return image + bytes(0x200 - len(image)) + bytes(section)


class ImportCheck(unittest.TestCase):
    table = {("KERNEL32.DLL", "CloseHandle"): ("95", "3.1"),
             ("KERNEL32.DLL", "TryEnterCriticalSection"): ("-", "4.0"),
             ("USER32.DLL", "GetAncestor"): ("98", "5.0"),
             ("KERNEL32.DLL", "GetTickCount64"): ("-", "6.0")}

    def Faults(self, imports, oldest):
        return [(function, reason) for _, function, reason in check_imports.Check(imports, self.table, oldest)]

    def testEachFamilyIsHeldToItsOldestSystem(self):
        imports = [("KERNEL32.DLL", "CloseHandle"), ("KERNEL32.DLL", "TryEnterCriticalSection"),
                   ("USER32.DLL", "GetAncestor"), ("KERNEL32.DLL", "GetTickCount64")]
        self.assertEqual(self.Faults(imports, OLD_32), [
            ("TryEnterCriticalSection", "newer than Windows 95"),
            ("GetAncestor", "newer than Windows 95 and NT 4.0"),
            ("GetTickCount64", "newer than Windows 95 and NT 4.0")])
        self.assertEqual(self.Faults(imports, XP_64), [("GetTickCount64", "newer than NT 5.2")])

    def testAnImportMissingFromTheTableFails(self):
        self.assertEqual(self.Faults([("MSIMG32.DLL", "TransparentBlt")], OLD_32),
                         [("TransparentBlt", "not in the table")])

    def testImportsAreReadFromBothKindsOfPeFile(self):
        imports = [("KERNEL32.dll", ["CloseHandle", "Sleep"]), ("user32.dll", ["GetAncestor"])]
        expected = [("KERNEL32.DLL", "CloseHandle"), ("KERNEL32.DLL", "Sleep"), ("USER32.DLL", "GetAncestor")]
        for wide in (False, True):
            self.assertEqual(check_imports.PeFile(TinyPe(wide, imports)).Imports(), expected)

    def testTheTableIsWellFormed(self):
        for (dll, function), (nineX, nt) in check_imports.ReadTable().items():
            self.assertIn(nineX, check_imports.NINE_X + ["-"], function)
            self.assertTrue(nt == "-" or check_imports.NtVersion(nt), function)


if __name__ == "__main__":
    unittest.main()
