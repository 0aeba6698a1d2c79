#!/usr/bin/env python3
"""Writes the small document files the tests read: old-form documents and
documents damaged in every way a reader must survive. The bytes are built
here by hand, independently of the program's own writer, so the tests also
check the reader against the format rather than against itself.

Usage: scripts/make_test_documents.py [OUTPUT_FOLDER]
(default: tests/data/documents beside this script's folder)
"""
import math
import os
import struct
import sys

# ---- the document header and records ----------------------------------------


def header(width_mm=91.0, height_mm=55.0, width_px=455, height_px=275):
    return struct.pack("<ffii", width_mm, height_mm, width_px, height_px)


def tag(t):
    return struct.pack("<i", t)


def version(text=b"2.0g"):
    return tag(14) + text.ljust(8, b"\0")


def page_setup(name="", kind=0, paper=(210.0, 297.0), retu=2, dann=5,
               margins=(14.0, 11.0, 0.0, 0.0)):
    field = name.encode("cp932").ljust(64, b"\0")
    return (tag(15) + field + struct.pack("<iffii", kind, paper[0], paper[1], retu, dann)
            + struct.pack("<ffff", *margins))


def old_page_setup(paper_index=0, retu=2, dann=5, margins=(14.0, 11.0, 0.0, 0.0)):
    return tag(9) + struct.pack("<iii", paper_index, retu, dann) + struct.pack("<ffff", *margins)


# ---- component streams --------------------------------------------------------


def short(b):
    assert len(b) < 256
    return bytes([len(b)]) + b


def integer(v):
    if -128 <= v <= 127:
        return b"\x02" + struct.pack("<b", v)
    if -32768 <= v <= 32767:
        return b"\x03" + struct.pack("<h", v)
    return b"\x04" + struct.pack("<i", v)


def ident(name):
    return b"\x07" + short(name.encode("ascii"))


def string(text):
    b = text.encode("cp932")
    if len(b) <= 255:
        return b"\x06" + short(b)
    return b"\x0c" + struct.pack("<I", len(b)) + b


def boolean(v):
    return b"\x09" if v else b"\x08"


def binary(b):
    return b"\x0a" + struct.pack("<I", len(b)) + b


def string_list(items):
    return b"\x01" + b"".join(string(s) for s in items) + b"\x00"


def ident_set(names):
    return b"\x0b" + b"".join(short(n.encode("ascii")) for n in names) + b"\x00"


def stream(class_name, props):
    body = b"".join(short(name.encode("ascii")) + value for name, value in props)
    return b"TPF0" + short(class_name.encode("ascii")) + b"\x00" + body + b"\x00\x00"


# The 65-byte example: an unnamed circle at 80, 129 with a red pen.
CIRCLE = stream("TQuShape", [("Left", integer(80)), ("Top", integer(129)),
                             ("Shape", ident("qustCircle")), ("Pen.Color", ident("clRed"))])
assert len(CIRCLE) == 65

RECTANGLE = stream("TQuShape", [
    ("Left", integer(10)), ("Top", integer(20)), ("Width", integer(200)), ("Height", integer(100)),
    ("Cursor", ident("crHandPoint")), ("Pen.Style", ident("psDot")), ("Pen.Width", integer(3)),
    ("Brush.Color", integer(0x336699)), ("Brush.Style", ident("bsSolid"))])

LABEL = stream("TLabelEx", [
    ("Left", integer(30)), ("Top", integer(40)), ("Width", integer(120)), ("Height", integer(20)),
    ("Cursor", ident("crHandPoint")), ("AutoSize", boolean(False)), ("Caption", string("山田\r\n太郎")),
    ("Font.Charset", ident("SHIFTJIS_CHARSET")), ("Font.Color", ident("clNavy")),
    ("Font.Height", integer(-16)), ("Font.Name", string("ＭＳ Ｐ明朝")), ("Font.Style", ident_set(["fsBold"])),
    ("Gap", integer(2)), ("ParentFont", boolean(False)), ("ShowAccelChar", boolean(False)),
    ("Transparent", boolean(True))])

COLOR_DIALOG = stream("TColorDialog", [
    ("Ctl3D", boolean(True)), ("Color", ident("clRed")),
    ("CustomColors.Strings", string_list(["ColorA=0000FF", "ColorB=00FF00"] +
                                         ["Color%s=FFFFFFFF" % chr(ord("C") + i) for i in range(14)]))])


def background(visible=True, extra=()):
    props = [("Left", integer(0)), ("Top", integer(0)), ("Width", integer(455)), ("Height", integer(275)),
             ("Enabled", boolean(False))] + list(extra) + [("Stretch", boolean(True))]
    if not visible:
        props.append(("Visible", boolean(False)))
    return stream("TImage", props)


def picture_data(graphic_class, payload, declared=None):
    size = len(payload) if declared is None else declared
    return short(graphic_class.encode("ascii")) + struct.pack("<i", size) + payload


def image(data):
    return stream("TImage", [("Left", integer(5)), ("Top", integer(5)), ("Width", integer(50)),
                             ("Height", integer(50)), ("Cursor", ident("crHandPoint")),
                             ("Picture.Data", binary(data)), ("Stretch", boolean(True))])


# A tiny but complete 2 x 1 24-bit bitmap.
def bmp_2x1():
    pixels = bytes([0, 0, 255, 255, 0, 0]) + b"\0\0"  # red, blue; rows padded to 4 bytes
    info = struct.pack("<IiiHHIIiiII", 40, 2, 1, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


# ---- the files ------------------------------------------------------------------

GOOD_RECORDS = version() + page_setup() + tag(16) + struct.pack("<i", 0) + tag(12) + struct.pack("<i", 0) \
    + tag(11) + b"\x01"

FILES = {
    # Valid documents.
    "header-and-record13.tsl": header(100.0, 60.0, 500, 300) + tag(13) + b"\xde\xad\xbe\xef",
    "old-form.tsl": header() + old_page_setup(1, 3, 4, (10.5, 12.5, 2.0, 3.0)) + tag(10) + b"\x01"
    + tag(13) + b"\0\0\0\0" + tag(7) + background(visible=False) + tag(2) + CIRCLE + tag(3) + LABEL
    + tag(5) + COLOR_DIALOG,
    "old-overflow-zero.tsl": header() + old_page_setup() + tag(10) + b"\x00",
    "repeated-records.tsl": header() + page_setup("最初", 1) + tag(12) + struct.pack("<i", 3) + tag(2) + RECTANGLE
    + page_setup("二番目", 2, (297.0, 210.0), 4, 3) + tag(12) + struct.pack("<i", -1) + tag(2) + CIRCLE
    + tag(17) + LABEL + tag(11) + b"\x00" + tag(11) + b"\x07",
    "bitmap-picture.tsl": header() + GOOD_RECORDS + tag(4) + image(picture_data("TBitmap", bmp_2x1())),

    # Not documents at all, or an unknown record.
    "short-19-bytes.tsl": header() + b"\x0e\x00\x00",
    "tag6-after-header.tsl": header() + tag(6) + b"\0\0\0\0",
    "tag0-after-objects.tsl": header() + GOOD_RECORDS + tag(2) + CIRCLE + tag(0),
    "tag18.tsl": header() + GOOD_RECORDS + tag(18) + b"\0" * 8,
    "tag-negative.tsl": header() + tag(-1),

    # Headers no worksheet can have.
    "header-negative-width.tsl": header(91.0, 55.0, -455, 275) + tag(13) + b"\0" * 4,
    "header-huge-height.tsl": header(91.0, 55.0, 455, 2_000_000_000) + tag(13) + b"\0" * 4,
    "header-nan-width.tsl": struct.pack("<I", 0x7FC00000) + struct.pack("<fii", 55.0, 455, 275) + tag(13) + b"\0" * 4,

    # Records cut short.
    "truncated-tag.tsl": header() + version() + b"\x0f\x00",
    "truncated-version.tsl": header() + tag(14) + b"2.0g\0",
    "truncated-page-setup.tsl": header() + page_setup()[:54],
    "truncated-old-setup.tsl": header() + old_page_setup()[:24],
    "truncated-overflow-flag.tsl": header() + tag(10),
    "truncated-tonbo.tsl": header() + GOOD_RECORDS + tag(11),
    "truncated-adjust.tsl": header() + tag(12) + b"\x01\x00",
    "truncated-unused.tsl": header() + tag(13) + b"\0\0",
    "truncated-unit.tsl": header() + tag(16) + b"\0",
    "truncated-shape-stream.tsl": header() + GOOD_RECORDS + tag(2) + CIRCLE[:40],
    "truncated-label-stream.tsl": header() + GOOD_RECORDS + tag(17) + LABEL[:-1],
    "truncated-color-dialog.tsl": header() + GOOD_RECORDS + tag(5) + COLOR_DIALOG[:60],
    "empty-stream.tsl": header() + GOOD_RECORDS + tag(7),

    # Records with damage inside.
    "page-setup-nan-margin.tsl": header() + page_setup(margins=(float("nan"), 11.0, 0.0, 0.0)),
    "page-setup-huge-columns.tsl": header() + page_setup(retu=2_000_000_000),
    "page-setup-bad-kind.tsl": header() + page_setup(kind=9),
    "old-setup-infinite-gap.tsl": header() + old_page_setup(margins=(14.0, 11.0, math.inf, 0.0)),
    "overflow-out-of-range.tsl": header() + tag(12) + struct.pack("<i", 1000),
    "stream-no-signature.tsl": header() + tag(2) + b"XPF0" + CIRCLE[4:],
    "stream-wrong-class.tsl": header() + GOOD_RECORDS + tag(2) + COLOR_DIALOG,
    "stream-label-in-background.tsl": header() + GOOD_RECORDS + tag(7) + LABEL,
    "stream-unknown-value-type.tsl": header() + tag(2)
    + stream("TQuShape", [("Left", b"\x20\x01\x02"), ("Top", integer(1))]),
    "stream-unknown-shape.tsl": header() + tag(2) + stream("TQuShape", [("Shape", ident("qustHexagon"))]),
    "stream-wrong-value-kind.tsl": header() + tag(2) + stream("TQuShape", [("Left", string("ten"))]),
    "stream-huge-string.tsl": header() + tag(17) + b"TPF0" + short(b"TLabelEx") + b"\x00" + short(b"Caption")
    + b"\x0c" + struct.pack("<I", 0xFFFFFFF0) + b"abc",
    "stream-huge-binary.tsl": header() + tag(4) + b"TPF0" + short(b"TImage") + b"\x00" + short(b"Picture.Data")
    + b"\x0a" + struct.pack("<I", 0x7FFFFFFF) + b"\x0aTJPEGImage",
    "stream-no-end.tsl": header() + tag(2) + CIRCLE[:-2],
    "stream-deep-lists.tsl": header() + tag(2) + b"TPF0" + short(b"TQuShape") + b"\x00" + short(b"Unknown")
    + b"\x01" * 100 + b"\x00" * 102,
    "picture-cut-short.tsl": header() + GOOD_RECORDS + tag(4)
    + image(picture_data("TJPEGImage", b"\xff\xd8\xff\xe0" + b"\0" * 6, declared=5000)),
    "picture-not-jpeg.tsl": header() + GOOD_RECORDS + tag(4) + image(picture_data("TJPEGImage", b"hello world")),
    "picture-not-bitmap.tsl": header() + GOOD_RECORDS + tag(4) + image(picture_data("TBitmap", b"BMxx")),
    "picture-unknown-graphic.tsl": header() + GOOD_RECORDS + tag(4) + image(picture_data("TMetafile", b"\0" * 16)),
    "picture-negative-size.tsl": header() + GOOD_RECORDS + tag(4)
    + image(picture_data("TBitmap", b"", declared=-5)),
    "background-picture-damaged.tsl": header() + GOOD_RECORDS + tag(7)
    + background(extra=[("Picture.Data", binary(picture_data("TBitmap", bmp_2x1()[:30], declared=58)))]),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "tests", "data", "documents")
    os.makedirs(out, exist_ok=True)
    for name, data in sorted(FILES.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print("wrote %d files to %s" % (len(FILES), os.path.normpath(out)))


if __name__ == "__main__":
    main()
