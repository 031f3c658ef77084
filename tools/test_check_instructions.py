#!/usr/bin/python3
"""Checks of the instruction check: what a 486 runs, and which parts of a
program are code, on a small link map and disassembly."""

import os
import sys
import unittest

sys.dont_write_bytecode = True  # keep __pycache__ out of the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_instructions  # noqa: E402

MAP = """Archive member included to satisfy reference by file (symbol)
 .text          0x00000000       0x10 discarded.obj

Linker script and memory map

.text           0x00401000      0x100
 *(.text)
 .text          0x00401000       0x10 /usr/i686-w64-mingw32/lib/../lib/crt2.o
                0x00401000                mainCRTStartup
 *fill*         0x00401010        0x0
 .text$_ZNSt12_GLOBAL__N_112__x86_rdrandEPv
                0x00401010       0x10 /b/runtime-i486/lib/libstdc++.a(random.o)
 .text          0x00401020       0x10 editor/main.cpp.obj
                0x00401030        0x4 LONG 0xffffffffffffffff
 .ctors         0x00401030        0x4 editor/main.cpp.obj
 .gcc_except_table
                0x00401034       0x10 editor/main.cpp.obj

.data           0x00402000      0x200
 .text          0x00402000       0x10 data.obj
"""


def Disassembly(*instructions):
    return "\n".join(f"  {address:x}:\t{text}" for address, text in instructions)


class InstructionCheck(unittest.TestCase):
    codeMap = check_instructions.CodeMap(MAP)

    def Faults(self, last):
        """The faults when the first two parts hold a ret each and the last `last`."""
        instructions = Disassembly((0x401000, "ret"), (0x401010, "ret"), last)
        return sorted(check_instructions.Check(instructions, self.codeMap)[1].items())

    def testOnlyTheCodePartsOfTheTextSectionAreCode(self):
        self.assertEqual(self.codeMap.parts, [
            (0x401000, 0x10, ".text", "crt2.o"),
            (0x401010, 0x10, ".text$_ZNSt12_GLOBAL__N_112__x86_rdrandEPv", "libstdc++.a(random.o)"),
            (0x401020, 0x10, ".text", "main.cpp.obj")])
        for data in (0x401030, 0x401034, 0x402000):
            self.assertIsNone(self.codeMap.Part(data))

    def testEachInstructionIsJudgedByWhatA486Has(self):
        cases = [("movzbl (%eax),%edx", None), ("lock cmpxchg %ecx,(%edx)", None),
                 ("rep stos %eax,%es:(%edi)", None), ("bswap %eax", None), ("xadd %eax,(%ecx)", None),
                 ("fildll (%esp)", None), ("fucompp", None), ("fnstsw %ax", None), ("nop", None),
                 ("pause", None), ("ud2", None), ("cmovne %edx,%eax", "cmovne"),
                 ("cmovl %eax,%edx", "cmovl"), ("fcmove %st(1),%st", "fcmove"),
                 ("fucomip %st(1),%st", "fucomip"), ("fcomi %st(2),%st", "fcomi"),
                 ("fisttpl (%esp)", "fisttpl"), ("nopw 0x0(%eax,%eax,1)", "nopw"), ("nopl (%eax)", "nopl"),
                 ("movd %eax,%mm0", "movd (MMX, SSE or later registers)"),
                 ("pxor %xmm0,%xmm0", "pxor (MMX, SSE or later registers)"), ("rdtsc", "rdtsc"),
                 ("tzcnt %eax,%edx", "tzcnt"), ("cmpxchg8b (%esi)", "cmpxchg8b"),
                 ("sysenter", "sysenter"), ("(bad)", "(bad)")]
        for text, fault in cases:
            with self.subTest(text):
                expected = [(("main.cpp.obj", fault), 1)] if fault else []
                self.assertEqual(self.Faults((0x401020, text)), expected)

    def testNewerInstructionsPassOnlyWhereTheCpuWasAskedFirst(self):
        checked, faults, asked = check_instructions.Check(Disassembly(
            (0x401000, "cpuid"), (0x401002, "xor $0x200000,%eax"), (0x401007, "cpuid"),
            (0x401010, "rdrand %eax"), (0x401013, "cmovb %edx,%eax"),
            (0x401020, "cpuid"), (0x401030, "cmovs %eax,%eax")), self.codeMap)
        self.assertEqual(checked, 6)  # the constructor list is data
        self.assertEqual(sorted(faults.items()), [(("crt2.o", "cpuid"), 1), (("main.cpp.obj", "cpuid"), 1)])
        self.assertEqual(asked, {"cpuid after the ID-bit test": 1, "in functions that cpuid let run": 2})

    def testADisassemblyOutOfStepWithThePartsFails(self):
        self.assertEqual(self.Faults((0x40101f, "mov $0x1,%eax")), [
            (("main.cpp.obj", "disassembly out of step at 0x401020 (.text)"), 1)])


if __name__ == "__main__":
    unittest.main()
