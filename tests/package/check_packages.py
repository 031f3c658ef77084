"""The release ZIPs hold exactly what a user needs, for both architectures."""

import os
import sys
import unittest
import zipfile

EXPECTED = {"Dabiro.exe", "fontsetup.exe", "dabiro-convert.exe", "pfont95.ttf", "pfontnt.ttf", "README.txt", "OFL.txt"}
MACHINE = {"win32": 0x014C, "win64": 0x8664}  # PE machine types: i386, x86-64

folder = None


def PeMachine(data):
    offset = int.from_bytes(data[0x3C:0x40], "little")
    assert data[offset:offset + 4] == b"PE\0\0", "not a PE file"
    return int.from_bytes(data[offset + 4:offset + 6], "little")


class Packages(unittest.TestCase):
    def Check(self, architecture):
        path = os.path.join(folder, f"Dabiro-1.0.0-{architecture}.zip")
        self.assertTrue(os.path.exists(path), path)
        with zipfile.ZipFile(path) as archive:
            self.assertEqual(set(archive.namelist()), EXPECTED)
            for exe in ("Dabiro.exe", "fontsetup.exe", "dabiro-convert.exe"):
                self.assertEqual(PeMachine(archive.read(exe)), MACHINE[architecture], exe)
            self.assertEqual(archive.read("pfont95.ttf")[:4], b"\0\1\0\0")
            self.assertLess(archive.getinfo("Dabiro.exe").file_size, 1 << 20)

    def test_win32(self):
        self.Check("win32")

    def test_win64(self):
        self.Check("win64")


if __name__ == "__main__":
    folder = sys.argv.pop(1)
    unittest.main(verbosity=2)
