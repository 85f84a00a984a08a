#!/usr/bin/env python3
"""Checks a program's embedded symbol map against its first link.

embedded_map_test.py OBJCOPY NM ADDR2LINE SYMLOOKUP FIRST_LINK.exe PROGRAM.exe

- The code of both links is byte for byte the same, so the map made from the first fits
  the second.
- For a sample of addresses inside the program's functions, symlookup on the program
  names the same source file (without folders) and line as addr2line on the first link,
  and the function that nm's symbol (demangled) names there.
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


def main():
    objcopy, nm, addr2line, symlookup, first, program = sys.argv[1:7]
    failures = []
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
    addresses = ["%x" % address for address, _ in sample]

    reference = run(addr2line, "-e", first, *addresses).splitlines()
    ours = run(symlookup, program, *addresses).splitlines()
    if len(reference) != len(addresses) or len(ours) != len(addresses):
        failures.append("expected %d answers, addr2line gave %d, symlookup %d"
                        % (len(addresses), len(reference), len(ours)))
    compared = 0
    for (address, names), text, where in zip(sample, ours, reference):
        fields = text.split("\t")
        file_name, _, line = where.rpartition(":")
        line = line.split(" ")[0]
        if not line.isdigit() or line == "0" or file_name == "??":
            continue  # addr2line knows no line here
        compared += 1
        expected = ["%x" % address, "/".join(sorted(names)), os.path.basename(file_name), line]
        if len(fields) != 4 or fields[1] not in names or [fields[0], fields[2], fields[3]] != \
                [expected[0], expected[2], expected[3]]:
            failures.append("%x: symlookup %r, expected %r" % (address, fields, expected))
    if compared < len(addresses) // 2:
        failures.append("only %d of %d addresses had lines to compare" % (compared, len(addresses)))

    for failure in failures[:40]:
        print(failure)
    print("%d addresses compared, %d differences" % (compared, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
