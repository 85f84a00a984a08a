#!/usr/bin/env python3
"""Checks a program's embedded symbol map against its first link.

embedded_map_test.py OBJCOPY NM ADDR2LINE LLVM_ADDR2LINE SYMLOOKUP FIRST_LINK.exe PROGRAM.exe [PART/PARTS]

- The code of both links is byte for byte the same, so the map made from the first fits
  the second.
- For a sample of addresses inside the program's functions, symlookup on the program
  names the same line as addr2line on the first link, the same source file (without
  folders), and the function that nm's symbol (demangled, cut to the map's 255 bytes)
  names there.

With PART/PARTS (from 1), only that share of the sample is looked up, and only part 1
compares the code: ctest runs the parts side by side, as one run takes minutes on a busy
machine.

GNU addr2line 2.40 sometimes names the compilation unit's own file where GCC's DWARF 5
line table names another (an inline function's header: file entry 0 against 1); where
the files differ, llvm-addr2line's answer decides.
"""

import os
import subprocess
import sys
import tempfile

SAMPLE = 400


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def text_section(objcopy, program, folder):
    out = os.path.join(folder, os.path.basename(program) + ".text")
    subprocess.run([objcopy, "-O", "binary", "--only-section=.text", program, out], check=True)
    with open(out, "rb") as f:
        return f.read()


def code_symbols(nm, program):
    """Code symbols in address order: address, size up to the next address, and every
    name at that address (aliases)."""
    names = {}
    for line in run(nm, "--defined-only", "-C", program).splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3 and parts[1] in ("T", "t") and not parts[2].startswith("."):
            names.setdefault(int(parts[0], 16), set()).add(parts[2])
    addresses = sorted(names)
    return [(address, following - address, names[address])
            for address, following in zip(addresses, addresses[1:])]


def map_name(name):
    """The name as the map keeps it: at most 255 bytes of UTF-8."""
    return name.encode("utf-8")[:255].decode("utf-8", "ignore")


def main():
    objcopy, nm, addr2line, llvm_addr2line, symlookup, first, program = sys.argv[1:8]
    part, parts = (int(n) for n in (sys.argv[8] if len(sys.argv) > 8 else "1/1").split("/"))
    failures = []
    if part == 1:
        with tempfile.TemporaryDirectory() as folder:
            if text_section(objcopy, first, folder) != text_section(objcopy, program, folder):
                failures.append("the .text sections of the two links differ")

    symbols = code_symbols(nm, first)
    step = max(1, len(symbols) // SAMPLE)
    sample = []
    for address, size, names in symbols[::step]:
        # The start of the function and a byte in its middle.
        for offset in sorted({0, size // 2}):
            sample.append((address + offset, names))
    sample = sample[part - 1::parts]
    addresses = ["%x" % address for address, _ in sample]

    reference = run(addr2line, "-e", first, *addresses).splitlines()
    ours = run(symlookup, program, *addresses).splitlines()
    if len(reference) != len(addresses) or len(ours) != len(addresses):
        failures.append("expected %d answers, addr2line gave %d, symlookup %d"
                        % (len(addresses), len(reference), len(ours)))
    compared = 0
    differences = []
    for (address, names), text, where in zip(sample, ours, reference):
        fields = text.split("\t")
        file_name, _, line = where.rpartition(":")
        line = line.split(" ")[0]
        if not line.isdigit() or line == "0" or file_name == "??":
            continue  # addr2line knows no line here
        compared += 1
        if len(fields) != 4 or fields[0] != "%x" % address or fields[1] not in {map_name(n) for n in names} \
                or fields[3] != line:
            failures.append("%x: symlookup %r, expected %s at line %s" % (address, fields, sorted(names), line))
        elif fields[2] != os.path.basename(file_name):
            differences.append((address, fields[2], os.path.basename(file_name)))
    if differences:
        second = run(llvm_addr2line, "-e", first, *["%x" % d[0] for d in differences]).splitlines()
        for (address, ours_file, gnu_file), where in zip(differences, second):
            llvm_file = os.path.basename(where.split(" ")[0].rpartition(":")[0])
            if llvm_file != ours_file:
                failures.append("%x: symlookup names %s, addr2line %s, llvm-addr2line %s"
                                % (address, ours_file, gnu_file, llvm_file))
    if compared < len(addresses) // 2:
        failures.append("only %d of %d addresses had lines to compare" % (compared, len(addresses)))

    for failure in failures[:40]:
        print(failure)
    print("%d addresses compared, %d source files settled by llvm-addr2line, %d failures"
          % (compared, len(differences), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
