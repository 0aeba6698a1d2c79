"""Printed QR codes decode: documents with one code each are printed to PDF
by the program, rendered at 300 dpi by pdftoppm (grey) and read back with zxing-cpp.
The PDF must hold each code as one small image (one pixel per module), and
--info must show the code's tag and content. A code whose content is a merge
field, printed for a list, decodes to each row's own content.

usage: qr-decode.py TESSOLO MAKE_QR_DOCUMENTS WORK_DIR
"""
import json
import os
import re
import shutil
import subprocess
import sys

import numpy
import zxingcpp

VCARD = "\r\n".join([
    "BEGIN:VCARD", "VERSION:3.0", "N:山田;太郎;;;", "FN:山田 太郎",
    "SOUND;X-IRMC-N:ヤマダ;タロウ;;;", "ORG:株式会社テスト\\, 営業部", "TITLE:部長",
    "TEL;TYPE=WORK,VOICE:03-1234-5678", "EMAIL;TYPE=INTERNET:taro@example.jp",
    "ADR;TYPE=WORK:;;東京都千代田区丸の内1-2-3;;;;", "END:VCARD"])
TEXT_300 = ("名刺のQRコード試験 " + "The quick brown fox jumps over the lazy dog 0123456789. " * 6)[:300]
CASES = [
    {"file": "url.tsl", "content": "https://example.jp/tessolo?id=42&lang=ja", "level": "M", "size_mm": 20},
    {"file": "vcard.tsl", "content": VCARD, "level": "Q", "size_mm": 20},
    {"file": "text-h.tsl", "content": TEXT_300, "level": "H", "size_mm": 20},
]
MERGED = {"file": "merged.tsl", "content": "{予約ページ}", "level": "M", "size_mm": 20}
ROWS = ["https://example.jp/r/%03d?name=%s" % (i, n) for i, n in enumerate(["山田", "佐藤", "鈴木"], 1)]


def read_pgm(path):
    """A binary greyscale PGM (P5, 8 bits) as a numpy array."""
    with open(path, "rb") as f:
        data = f.read()
    fields = re.match(rb"P5\s+(?:#[^\n]*\s+)*(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(fields.group(1)), int(fields.group(2))
    pixels = numpy.frombuffer(data, dtype=numpy.uint8, count=width * height, offset=fields.end())
    return pixels.reshape((height, width))


def run(*args):
    return subprocess.run(args, check=True, capture_output=True)


def main():
    tessolo, maker, work = sys.argv[1:4]
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for case in CASES + [MERGED]:
        case["file"] = os.path.join(work, case["file"])
    listing = os.path.join(work, "list.json")
    with open(listing, "w", encoding="utf-8") as f:
        json.dump(CASES + [MERGED], f, ensure_ascii=False)
    run(maker, listing)

    failures = []
    # One card a row, across then down: three codes of their own, each stored once.
    rows = os.path.join(work, "staff.csv")
    with open(rows, "w", encoding="utf-8") as f:
        f.write("氏名,予約ページ\r\n" + "".join("%d,%s\r\n" % (i, url) for i, url in enumerate(ROWS)))
    pdf = os.path.join(work, "merged.pdf")
    run(tessolo, "--print-pdf", pdf, MERGED["file"], "--merge", rows, "--merge-layout", "cell")
    images = {l.split()[10] for l in run("pdfimages", "-list", pdf).stdout.decode().splitlines()[2:]}
    run("pdftoppm", "-r", "300", "-gray", "-singlefile", pdf, pdf[:-4])
    texts = sorted(r.text for r in zxingcpp.read_barcodes(read_pgm(pdf[:-4] + ".pgm"))
                   if r.format == zxingcpp.BarcodeFormat.QRCode)
    if texts != sorted(ROWS) or len(images) != len(ROWS):
        failures.append(f"merged.tsl: decoded {texts!r} from {len(images)} images")
    else:
        print(f"merged.tsl: {len(ROWS)} rows, each code decoded to its own row at 300 dpi")

    for case in CASES:
        name = os.path.basename(case["file"])
        assert len(case["content"]) >= 20
        info = json.loads(run(tessolo, "--info", case["file"]).stdout)
        code = info["objects"][0]
        if code["tag"] != 2 or code.get("hint") != case["content"]:
            failures.append(f"{name}: --info shows tag {code['tag']} and hint {code.get('hint')!r}")

        pdf = case["file"][:-4] + ".pdf"
        run(tessolo, "--print-pdf", pdf, case["file"])
        # One embedded image per distinct code, at one pixel per module.
        images = [l.split() for l in run("pdfimages", "-list", pdf).stdout.decode().splitlines()[2:]]
        objects = {(i[10], int(i[3]), int(i[4])) for i in images}
        side = max(o[1] for o in objects) if objects else 0
        if len(objects) != 1 or side > 185:
            failures.append(f"{name}: the PDF holds {sorted(objects)} (object, width, height)")

        png = case["file"][:-4]
        run("pdftoppm", "-r", "300", "-gray", "-singlefile", pdf, png)
        results = zxingcpp.read_barcodes(read_pgm(png + ".pgm"))
        texts = [r.text for r in results if r.format == zxingcpp.BarcodeFormat.QRCode]
        # Ten cells, ten copies of the code.
        if len(texts) != 10 or any(t != case["content"] for t in texts):
            failures.append(f"{name}: decoded {len(texts)} codes: {texts[:1]!r}")
        else:
            print(f"{name}: 10 codes decoded at 300 dpi, level {case['level']}, {len(case['content'])} characters")

    for f in failures:
        print("FAIL " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
