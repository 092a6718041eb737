#!/usr/bin/python3
"""Writes a product descriptor the way the assistant reads it: code page 949, CRLF lines.

Usage: make_descriptor.py SOURCE.utf8 TARGET.txt
The source is kept in UTF-8 so that it can be read and edited anywhere.
"""
import sys


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        lines = f.read().splitlines()
    with open(target, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp949"))


if __name__ == "__main__":
    main()
