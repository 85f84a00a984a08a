#!/usr/bin/env python3
"""Archives of the ZIP writer as other programs read them: unzip -t, zipinfo and
Python's zipfile. Usage: zip_tools_test.py PATH/TO/codec_probe"""
import os
import random
import subprocess
import sys
import tempfile
import time
import zipfile

probe = sys.argv[1]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


with tempfile.TemporaryDirectory() as folder:
    rng = random.Random(5)
    files = {
        "report.txt": ("".join(rng.choice(["thread ", "module ", "0x%x " % rng.randrange(1 << 32), "\r\n"])
                               for _ in range(20000))).encode(),
        "noise.bin": bytes(rng.randrange(256) for _ in range(100000)),
        "empty.txt": b"",
        "Bericht für Jürgen.txt": "Grüße".encode(),
        "old.txt": b"before 1980",
    }
    paths = {}
    for name, data in files.items():
        paths[name] = os.path.join(folder, name)
        with open(paths[name], "wb") as f:
            f.write(data)
    old = time.mktime((1975, 6, 1, 12, 0, 0, 0, 0, -1))
    os.utime(paths["old.txt"], (old, old))
    missing = os.path.join(folder, "missing.txt")

    archive = os.path.join(folder, "out.zip")
    arguments = [paths["report.txt"], missing, paths["noise.bin"] + "=Übersicht 日本.bin", paths["empty.txt"],
                 paths["Bericht für Jürgen.txt"], paths["old.txt"]]
    run = subprocess.run([probe, "zip", archive] + arguments, capture_output=True, text=True)
    check(run.returncode == 0, "writing failed: %s" % run.stdout)
    check(run.stdout == "skipped %s unreadable\n" % missing, "skipped: %r" % run.stdout)

    expected = {"report.txt": files["report.txt"], "Übersicht 日本.bin": files["noise.bin"],
                "empty.txt": b"", "Bericht für Jürgen.txt": files["Bericht für Jürgen.txt"],
                "old.txt": files["old.txt"]}

    test = subprocess.run(["unzip", "-t", archive], capture_output=True)
    output = (test.stdout + test.stderr).decode("utf-8", "replace")
    check(test.returncode == 0 and "No errors detected" in output, "unzip -t: %s" % output)

    info = subprocess.run(["zipinfo", archive], capture_output=True)
    listing = info.stdout.decode("utf-8", "replace")
    check(info.returncode == 0, "zipinfo failed: %s" % listing)
    check("5 files" in listing, "zipinfo count: %s" % listing)
    check("80-Jan-01 00:00 old.txt" in listing, "zipinfo date of old.txt: %s" % listing)

    with zipfile.ZipFile(archive) as z:
        check(z.testzip() is None, "zipfile found a bad CRC")
        check(z.namelist() == list(expected), "names: %r" % z.namelist())
        for item in z.infolist():
            check(item.flag_bits & 0x800, "%s lacks the UTF-8 flag" % item.filename)
            check(item.compress_type == zipfile.ZIP_DEFLATED, "%s not deflated" % item.filename)
            check(z.read(item) == expected[item.filename], "%s: contents differ" % item.filename)
        check(z.getinfo("old.txt").date_time == (1980, 1, 1, 0, 0, 0),
              "old.txt date: %r" % (z.getinfo("old.txt").date_time,))

    nothing = os.path.join(folder, "nothing.zip")
    run = subprocess.run([probe, "zip", nothing, missing], capture_output=True, text=True)
    check(run.returncode == 1 and not os.path.exists(nothing), "an archive without entries was left")

for failure in failures:
    print("FAILED:", failure)
print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
sys.exit(1 if failures else 0)
