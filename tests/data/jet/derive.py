#!/usr/bin/env python3
"""Makes the Access files that differ from words-small.mdb only in how the file is kept:
  password.mdb  - a database password ("lexorant"), as Access sets it (Tools, Security, Set Database Password);
  encoded.mdb   - every page after the first scrambled under a database key, as Access's "Encrypt/Decrypt Database"
                  leaves it.
Run from this folder: python3 derive.py"""
import struct

HEADER_KEY = bytes([0xC7, 0xDA, 0x39, 0x6B])
SCRAMBLED = slice(0x18, 0x18 + 128)  # Jet 4
PAGE = 4096


def rc4(key, data):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) & 255
        s[i], s[j] = s[j], s[i]
    i = j = 0
    out = bytearray()
    for byte in data:
        i = (i + 1) & 255
        j = (j + s[i]) & 255
        s[i], s[j] = s[j], s[i]
        out.append(byte ^ s[(s[i] + s[j]) & 255])
    return bytes(out)


def with_header(data, change):
    page = bytearray(data[:PAGE])
    page[SCRAMBLED] = rc4(HEADER_KEY, bytes(page[SCRAMBLED]))
    change(page)
    page[SCRAMBLED] = rc4(HEADER_KEY, bytes(page[SCRAMBLED]))
    return bytes(page) + data[PAGE:]


def set_password(page):
    days = int(struct.unpack_from('<d', page, 0x72)[0])
    mask = struct.pack('<i', days)
    password = 'lexorant'.encode('utf-16-le').ljust(40, b'\0')
    page[0x42:0x42 + 40] = bytes(b ^ mask[i % 4] for i, b in enumerate(password))


def encode(data, key):
    data = with_header(data, lambda page: struct.pack_into('<I', page, 0x3E, key))
    pages = [data[:PAGE]]
    for number in range(1, len(data) // PAGE):
        pages.append(rc4(struct.pack('<I', key ^ number), data[number * PAGE:(number + 1) * PAGE]))
    return b''.join(pages)


words = open('words-small.mdb', 'rb').read()
open('password.mdb', 'wb').write(with_header(words, set_password))
open('encoded.mdb', 'wb').write(encode(words, 0x5EEDF00D))
