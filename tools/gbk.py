#!/usr/bin/env python3
"""Prints each argument as a C string literal of its GBK bytes, for texts the program keeps in GBK."""
import sys

for text in sys.argv[1:]:
    body = "".join(f"\\x{b:02X}" if b >= 0x80 else chr(b) for b in text.encode("gbk"))
    print(f'"{body}"  // {text}')
