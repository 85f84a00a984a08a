#!/usr/bin/env python3
"""Base64 against Python's base64: encoding of every length 0-10 and of random data,
and decoding of valid and damaged texts (refused exactly when Python's strict decoder
refuses). Usage: base64_python_test.py PATH/TO/codec_probe"""
import base64
import binascii
import random
import subprocess
import sys

probe = sys.argv[1]
rng = random.Random(11)
failures = []


def ask(command, arguments):
    """One run of the probe for many arguments: one output line each."""
    run = subprocess.run([probe, command] + arguments, capture_output=True, check=True)
    return run.stdout.decode().split("\n")[:len(arguments)]


inputs = [bytes(rng.randrange(256) for _ in range(n)) for n in range(11)]
inputs += [bytes(rng.randrange(256) for _ in range(rng.randrange(11, 300))) for _ in range(20)]
for data, got in zip(inputs, ask("base64", [data.hex() for data in inputs])):
    expected = base64.b64encode(data).decode()
    if got != expected:
        failures.append("encode %s: %r, not %r" % (data.hex(), got, expected))

alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
texts = [base64.b64encode(data).decode() for data in inputs if data]
for _ in range(60):
    text = list(rng.choice(texts))
    for _ in range(rng.randrange(1, 3)):
        text[rng.randrange(len(text))] = rng.choice(alphabet + "=" * 8 + "!- *é")
    texts.append("".join(text))
for text, got in zip(texts, ask("unbase64", texts)):
    try:
        expected = base64.b64decode(text, validate=True).hex()
    except (binascii.Error, ValueError):
        expected = "refused"
    if got != expected:
        failures.append("decode %r: %s, not %s" % (text, got, expected))

for failure in failures:
    print("FAILED:", failure)
print("%d passed, %d failed" % (len(inputs) + len(texts) - len(failures), len(failures)))
sys.exit(1 if failures else 0)
