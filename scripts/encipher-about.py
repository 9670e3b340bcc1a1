#!/usr/bin/env python3
"""Enciphers a text for the About box, so that the program's unscrambling
gives it back. Written from the zero-based form of the routine: the key
schedule adds one more at every step after the first, and the keystream's
position advances by two.

    scripts/encipher-about.py KEY TEXT    prints the stored form "AB,CD,..."
"""
import sys


def keystream(key: bytes, length: int) -> list[int]:
    s = list(range(256))
    k = [key[x % len(key)] for x in range(256)]
    j = 0
    for i in range(256):
        j = (s[0] + k[0]) % 256 if i == 0 else (j + 1 + s[i] + k[i]) % 256
        s[i], s[j] = s[j], s[i]
    out = []
    i = j = 0
    for n in range(length):
        i = 1 if n == 0 else (i + 2) % 256
        j = s[i] if n == 0 else (j + 1 + s[i]) % 256
        s[i], s[j] = s[j], s[i]
        out.append(s[(s[i] + s[j]) % 256])
    return out


def encipher(key: bytes, plain: bytes) -> str:
    return "".join("%02X," % (b ^ k) for b, k in zip(plain, keystream(key, len(plain))))


if __name__ == "__main__":
    print(encipher(sys.argv[1].encode("latin-1"), sys.argv[2].encode("latin-1")))
