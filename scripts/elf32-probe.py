#!/usr/bin/env python3
"""Writes the smallest 32-bit Linux program: it only exits with status 0. Whether it runs tells
whether this machine executes 32-bit code, which Wine's 32-bit loader needs."""
import os
import struct
import sys

BASE = 0x08048000
HEADERS = 52 + 32
code = bytes.fromhex("b801000000" "31db" "cd80")  # exit(0) through int 0x80
size = HEADERS + len(code)
elf = b"\x7fELF" + bytes([1, 1, 1, 0]) + bytes(8)
elf += struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, BASE + HEADERS, 52, 0, 0, 52, 32, 1, 0, 0, 0)
elf += struct.pack("<IIIIIIII", 1, 0, BASE, BASE, size, size, 5, 0x1000)
with open(sys.argv[1], "wb") as out:
    out.write(elf + code)
os.chmod(sys.argv[1], 0o755)
