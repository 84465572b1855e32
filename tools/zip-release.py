#!/usr/bin/env python3
"""Writes a zip that Windows' own Explorer opens and that one input always gives byte for byte:
plain deflate, the entries in the order given, each dated with the given time, MS-DOS
attributes, and names in UTF-8 with the flag that says so.

    zip-release.py ZIP UNIX-TIME SOURCE NAME [SOURCE NAME ...]
"""
import sys
import time
import zipfile


def main(argv):
    out, stamp, pairs = argv[1], int(argv[2]), argv[3:]
    # The zip's time has no zone and a resolution of two seconds; UTC is the fixed choice.
    date_time = time.gmtime(stamp - stamp % 2)[:6]
    with zipfile.ZipFile(out, "w") as archive:
        for source, name in zip(pairs[0::2], pairs[1::2]):
            entry = zipfile.ZipInfo(name, date_time)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS
            entry.external_attr = 0x20  # the archive attribute, as Windows gives a new file
            with open(source, "rb") as data:
                archive.writestr(entry, data.read(), compresslevel=9)


if __name__ == "__main__":
    main(sys.argv)
