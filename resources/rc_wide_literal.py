#!/usr/bin/python3
"""Prints each argument (UTF-8) as an ASCII-only L"..." literal for the .rc files.

windres reads \\x in a wide string as at most four hex digits of one UTF-16 code unit;
a hex digit right after such an escape is escaped as well so it is not swallowed.
Usage: rc_wide_literal.py "Текущий профиль: %s"
"""
import struct
import sys

SIMPLE_ESCAPES = {"\r": "\\r", "\n": "\\n", "\t": "\\t", "\\": "\\\\", '"': '""'}
HEX_DIGITS = set("0123456789abcdefABCDEF")


def wide_literal(text):
    out = []
    after_hex_escape = False
    encoded = text.encode("utf-16-le")
    for code in struct.unpack("<%dH" % (len(encoded) // 2), encoded):
        unit = chr(code)
        if unit in SIMPLE_ESCAPES:
            out.append(SIMPLE_ESCAPES[unit])
            after_hex_escape = False
        elif code < 0x20 or code > 0x7E or (after_hex_escape and unit in HEX_DIGITS):
            out.append("\\x%04X" % code)
            after_hex_escape = True
        else:
            out.append(unit)
            after_hex_escape = False
    return 'L"' + "".join(out) + '"'


if __name__ == "__main__":
    for argument in sys.argv[1:]:
        print(wide_literal(argument))
