#!/usr/bin/python3
"""Fails when a 32-bit Windows program holds an instruction that a 486 lacks.

Usage: check_instructions.py EXE...

The 32-bit programs are for Windows 95 and NT 4.0 on a 486 or a Pentium: an
instruction of a later CPU (cmov, fcomi, MMX, SSE, long nops, ...) stops
them with an illegal instruction. Each program is disassembled with objdump
and every instruction of its code must be one a program can run on a 486.
The win32 build writes each program's link map beside it (Dabiro.exe,
Dabiro.map): the map tells which parts of the code section are code (the
section also holds exception tables and constructor lists, which are data)
and which object file each part comes from, which the faults name.

Two kinds of newer instructions pass, as their code asks the CPU first:
cpuid after the test of EFLAGS' ID bit in the same function (how a program
learns whether the CPU has cpuid at all), and the functions in
FEATURE_FUNCTIONS.
"""

import bisect
import os
import re
import subprocess
import sys
from collections import Counter, defaultdict

OBJDUMP = "i686-w64-mingw32-objdump"

# What a program can run on a 486, as objdump names it (AT&T syntax, size
# suffixes taken off by Base): the 386's user-mode instructions, the 486's
# additions (bswap, cmpxchg, xadd) and the 387's.
INTEGER = set("""
    aaa aad aam aas adc add and bound bsf bsr bswap bt btc btr bts call cbtw cltd
    clc cld cli cmc cmp cmps cmpxchg cwtd cwtl daa das dec div enter idiv imul inc
    int int3 into jmp lahf lcall lds lea leave les lfs lgs ljmp lods loop loope
    loopne lret lss mov movs movsbl movsbw movswl movzbl movzbw movzwl mul neg not
    or pop popa popf push pusha pushf rcl rcr ret rol ror sahf sal sar sbb scas shl
    shld shr shrd stc std sti stos sub test xadd xchg xlat xor
    ja jae jb jbe jc je jg jge jl jle jna jnae jnb jnbe jnc jne jng jnge jnl jnle
    jno jnp jns jnz jo jp jpe jpo js jz jcxz jecxz
    seta setae setb setbe setc sete setg setge setl setle setna setnae setnb setnbe
    setnc setne setng setnge setnl setnle setno setnp setns setnz seto setp setpe
    setpo sets setz
""".split())
X87 = set("""
    f2xm1 fabs fadd faddp fbld fbstp fchs fclex fcom fcomp fcompp fcos fdecstp
    fdiv fdivp fdivr fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul
    fincstp finit fist fistp fisub fisubr fld fld1 fldcw fldenv fldl2e fldl2t
    fldlg2 fldln2 fldpi fldz fmul fmulp fnclex fninit fnop fnsave fnstcw fnstenv
    fnstsw fpatan fprem fprem1 fptan frndint frstor fsave fscale fsin fsincos fsqrt
    fst fstcw fstenv fstp fstsw fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp
    fwait fxam fxch fxtract fyl2x fyl2xp1 wait
""".split())
# Instructions older CPUs run as the same thing or trap on as intended.
SAME_ON_A_486 = {
    "nop": "one-byte nop; the long forms (nopl, nopw) are the Pentium Pro's",
    "pause": "rep nop: a plain nop before the Pentium 4",
    "ud2": "raises the invalid-opcode exception on purpose, as on every CPU",
}
PREFIXES = {"rep", "repz", "repnz", "repe", "repne", "lock", "cs", "ds", "es", "fs", "gs", "ss",
            "data16", "addr16"}
SUFFIXES = ("b", "w", "l", "q", "s", "t", "ll")  # ll: fildll, fistpll
NEWER_REGISTERS = re.compile(r"%(x|y|z)?mm\d|%k\d|%bnd\d")
ID_FLAG_TEST = "$0x200000"  # EFLAGS bit 21: settable only where cpuid exists

# Functions (input sections, by prefix, in object files by name) that run
# only after cpuid has reported their feature, so they may use whatever
# CPUs with it have. libstdc++'s random_device reads rdrand and rdseed
# only when cpuid leaves 1 and 7 report them; the functions are compiled
# for those CPUs (target attributes), cmov included.
FEATURE_FUNCTIONS = [("libstdc++.a(random.o)", ".text$_ZNSt12_GLOBAL__N_112__x86_rd"),
                     ("libstdc++.a(random.o)", ".text$_ZNSt12_GLOBAL__N_119__x86_rdseed_rdrand")]

INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\t(.+)$")
SECTION_HEAD = re.compile(r"^ (\.\S+)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*))?$")
SECTION_TAIL = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")


def Base(mnemonic):
    """The mnemonic without objdump's size suffix, when that names a known one."""
    for suffix in ("",) + SUFFIXES:
        stem = mnemonic[:len(mnemonic) - len(suffix)]
        if mnemonic.endswith(suffix) and stem in INTEGER | X87:
            return stem
    return None


def Verdict(mnemonic, operands):
    """None when a 486 runs the instruction; else what is wrong with it."""
    if NEWER_REGISTERS.search(operands):
        return mnemonic + " (MMX, SSE or later registers)"
    if mnemonic in SAME_ON_A_486 or Base(mnemonic):
        return None
    return mnemonic


class CodeMap:
    """The code parts of the .text section, from a GNU ld link map."""

    def __init__(self, text):
        self.parts = []  # (start, size, input section, object file)
        inText, pending = False, None
        for line in text[text.find("Linker script and memory map"):].splitlines():
            if line and not line[0].isspace():
                inText = line.startswith(".text ") or line == ".text"
                continue
            if not inText:
                continue
            head = SECTION_HEAD.match(line)
            tail = SECTION_TAIL.match(line) if pending else None
            if head and head.group(2):
                self.Add(head.group(1), int(head.group(2), 16), int(head.group(3), 16), head.group(4))
            elif tail:
                self.Add(pending, int(tail.group(1), 16), int(tail.group(2), 16), tail.group(3))
            pending = head.group(1) if head and not head.group(2) else None
        self.parts.sort()
        self.starts = [part[0] for part in self.parts]

    def Add(self, section, start, size, source):
        if section.startswith(".text") and size:
            self.parts.append((start, size, section, ShortName(source)))

    def Part(self, address):
        i = bisect.bisect_right(self.starts, address) - 1
        if i >= 0 and address < self.parts[i][0] + self.parts[i][1]:
            return self.parts[i]
        return None


def ShortName(source):
    """An object file as the faults name it: the archive's file name and member."""
    return os.path.basename(source.strip())


def Check(disassembly, codeMap):
    """(number of instructions checked, Counter of (object, fault), Counter
    of the newer instructions that pass as their code asks the CPU first)."""
    faults, asked, checked = Counter(), Counter(), 0
    starts, idTested = set(), set()
    for line in disassembly.splitlines():
        match = INSTRUCTION.match(line)
        if not match:
            continue
        address = int(match.group(1), 16)
        part = codeMap.Part(address)
        if not part:
            continue
        starts.add(address)
        words = match.group(2).split()
        while len(words) > 1 and words[0] in PREFIXES:
            words.pop(0)
        mnemonic, operands = words[0], " ".join(words[1:])
        checked += 1
        _, _, section, source = part
        if operands.startswith(ID_FLAG_TEST + ","):
            idTested.add(part)
        fault = Verdict(mnemonic, operands)
        if not fault:
            continue
        if any(source == name and section.startswith(prefix) for name, prefix in FEATURE_FUNCTIONS):
            asked["in functions that cpuid let run"] += 1
        elif mnemonic == "cpuid" and part in idTested:
            asked["cpuid after the ID-bit test"] += 1
        else:
            faults[(source, fault)] += 1
    # Disassembly runs in step with the code only if each part starts on an
    # instruction; otherwise what it read there means nothing.
    for start, _, section, source in codeMap.parts:
        if start not in starts:
            faults[(source, f"disassembly out of step at {start:#x} ({section})")] += 1
    return checked, faults, asked


def Report(name, checked, faults, asked):
    total = sum(faults.values())
    passed = ", ".join(f"{why} x{count}" for why, count in sorted(asked.items()))
    lines = [f"{name}: {checked} instructions, {total} that a 486 lacks" +
             (f"; asked for first: {passed}" if passed else "")]
    byObject = defaultdict(list)
    for (source, fault), count in sorted(faults.items()):
        byObject[source].append(f"{fault} x{count}")
    for source, found in sorted(byObject.items(), key=lambda item: item[0]):
        lines.append(f"  FAULT {source}: {', '.join(found)}")
    return lines


def Main(arguments):
    if not arguments:
        print(__doc__.splitlines()[2], file=sys.stderr)
        return 2
    failed = False
    for path in arguments:
        with open(os.path.splitext(path)[0] + ".map", encoding="utf-8", errors="replace") as stream:
            codeMap = CodeMap(stream.read())
        disassembly = subprocess.run([OBJDUMP, "-d", "-w", "--no-show-raw-insn", path],
                                     check=True, capture_output=True, text=True).stdout
        checked, faults, asked = Check(disassembly, codeMap)
        print("\n".join(Report(os.path.basename(path), checked, faults, asked)))
        failed = failed or bool(faults) or not checked
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
