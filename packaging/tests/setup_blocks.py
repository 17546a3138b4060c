#!/usr/bin/env python3
"""Writes every data block that an NSIS setup program carries (its script, each file it installs,
each plug-in it loads, the uninstaller's data) as a file of its own, 000, 001, ... in OUT_DIR, so
that tests can look at what the setup holds without running it.

The setup is a stub program followed, at a 512-byte boundary, by the first header: flags, the
signature 0xDEADBEEF, "NullsoftInst", the length of the script block and of all that follows. Our
setups are compressed as one LZMA stream (SetCompressor /SOLID lzma): five bytes of properties,
then the stream, which unpacks to blocks, each a 32-bit little-endian length and that many bytes.

Usage: setup_blocks.py SETUP OUT_DIR
"""
import lzma
import os
import struct
import sys

SIGNATURE = b"\xef\xbe\xad\xdeNullsoftInst"
FIRST_HEADER_SIZE = 28


def blocks(setup):
    found = setup.find(SIGNATURE)
    if found < 4 or (found - 4) % 512:
        raise ValueError("no NSIS first header at a 512-byte boundary")
    start = found - 4 + FIRST_HEADER_SIZE
    properties, dictionary = struct.unpack_from("<BI", setup, start)
    if properties >= 9 * 5 * 5:
        raise ValueError("the data is not one LZMA stream (SetCompressor /SOLID lzma)")
    lc, rest = properties % 9, properties // 9
    filters = [{"id": lzma.FILTER_LZMA1, "lc": lc, "lp": rest % 5, "pb": rest // 5, "dict_size": dictionary}]
    data = lzma.LZMADecompressor(format=lzma.FORMAT_RAW, filters=filters).decompress(setup[start + 5:])
    offset = 0
    while offset < len(data):
        if offset + 4 > len(data):
            raise ValueError("the data ends inside a block length")
        (length,) = struct.unpack_from("<I", data, offset)
        if offset + 4 + length > len(data):
            raise ValueError(f"the block at {offset} runs past the end of the data")
        yield data[offset + 4:offset + 4 + length]
        offset += 4 + length


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "rb") as f:
        setup = f.read()
    os.makedirs(sys.argv[2], exist_ok=True)
    try:
        for number, block in enumerate(blocks(setup)):
            with open(os.path.join(sys.argv[2], f"{number:03d}"), "wb") as f:
                f.write(block)
    except (ValueError, lzma.LZMAError) as error:
        sys.exit(f"{sys.argv[1]}: {error}")


if __name__ == "__main__":
    main()
