#!/usr/bin/env python3
"""Writes data/msetpage.txt, the master list of page setups delivered beside
the program: Shift-JIS text, CR LF line ends, one record per line in the form
the program itself writes ("name", paper w, paper h, card w, card h, columns,
rows, left, top, gap x, gap y; millimetres with one decimal)."""
import pathlib
import struct

VERSION = "2.0g"
A4 = (210.0, 297.0)
LETTER = (215.9, 279.4)

# name, paper, card, columns, rows, left, top, gap x, gap y
SETUPS = [
    # The classic micro-perforated sheet; its margins are those of a new document.
    ("A4 10面 91x55mm 余白 左14 上11", A4, (91.0, 55.0), 2, 5, 14.0, 11.0, 0.0, 0.0),
    # Clean-edge sheets: the cards stand apart on a carrier sheet.
    ("A4 10面 91x55mm 間隔あり 左右10 上下7", A4, (91.0, 55.0), 2, 5, 10.0, 7.0, 8.0, 2.0),
    ("A4 10面 89x51mm 間隔あり", A4, (89.0, 51.0), 2, 5, 11.0, 11.0, 10.0, 5.0),
    ("A4 8面 91x55mm 間隔あり", A4, (91.0, 55.0), 2, 4, 9.0, 16.0, 10.0, 15.0),
    ("A4 10面 86x54mm カードサイズ 間隔あり", A4, (86.0, 54.0), 2, 5, 14.0, 7.5, 10.0, 3.0),
    # Sheets cut by hand after printing: room between the cards for bleed.
    ("A4 8面 91x55mm フチなし裁断用 間隔6mm", A4, (91.0, 55.0), 2, 4, 11.0, 29.5, 6.0, 6.0),
    ("A4 6面 91x55mm フチなし裁断用 間隔10mm", A4, (91.0, 55.0), 2, 3, 9.0, 56.0, 10.0, 10.0),
    ("A4 10面 91x55mm フチなし裁断用 間隔2mm", A4, (91.0, 55.0), 2, 5, 13.0, 7.0, 2.0, 2.0),
    # US Letter, 3.5 x 2 in cards (88.9 x 50.8 mm).
    ("Letter 10面 3.5x2in 余白 左0.75 上0.5in", LETTER, (88.9, 50.8), 2, 5, 19.0, 12.7, 0.0, 0.0),
    ("Letter 8面 3.5x2in 間隔あり", LETTER, (88.9, 50.8), 2, 4, 12.7, 19.1, 12.7, 12.7),
]


def single(v):
    """The value as the program holds it, a single-precision float."""
    return struct.unpack("<f", struct.pack("<f", v))[0]


def fixed1(v):
    # No value here lies on a tie, so Python's rounding equals the program's.
    return "%.1f" % single(v)


def line(setup):
    name, paper, card, cols, rows, left, top, gx, gy = setup
    assert '"' not in name and len(name.encode("cp932")) <= 63, name
    return '"%s", %s, %s, %s, %s, %d,%d,%s,%s,%s,%s\r\n' % (
        name, fixed1(paper[0]), fixed1(paper[1]), fixed1(card[0]), fixed1(card[1]), cols, rows,
        fixed1(left), fixed1(top), fixed1(gx), fixed1(gy))


def main():
    text = "The VarnettDx version %s\r\n" % VERSION + "".join(line(s) for s in SETUPS)
    out = pathlib.Path(__file__).resolve().parent.parent / "data" / "msetpage.txt"
    out.write_bytes(text.encode("cp932"))
    print("wrote", out, len(SETUPS), "setups")


if __name__ == "__main__":
    main()
