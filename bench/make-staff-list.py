#!/usr/bin/env python3
"""Writes a staff list for the mail-merge benchmark: a header row, then one
row per person with a Japanese name, a title, a phone number, an e-mail
address and the MECARD text of a QR code. UTF-8, comma-separated; no cell
holds a comma or a quote, so that every CSV reader takes it the same way.

    bench/make-staff-list.py ROWS OUT.csv
"""
import random
import sys

SURNAMES = "佐藤 鈴木 高橋 田中 伊藤 渡辺 山本 中村 小林 加藤 吉田 山田 佐々木 山口 松本 井上 木村 林 斎藤 清水".split()
GIVEN = "太郎 花子 一郎 美咲 健太 陽菜 大輔 さくら 翔太 結衣 拓也 愛 直樹 彩 誠 真由美 浩二 裕子 亮 恵".split()
TITLES = "代表取締役 取締役 部長 次長 課長 係長 主任 営業部 企画部 総務部 技術部 開発課".split()


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    rows, out = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(20261207)
    with open(out, "w", encoding="utf-8", newline="") as f:
        f.write("氏名,役職,電話,メール,MECARD\r\n")
        for i in range(1, rows + 1):
            name = f"{rng.choice(SURNAMES)}　{rng.choice(GIVEN)}{i:04d}"
            title = f"{rng.choice(TITLES)}　{rng.choice(TITLES)}"
            phone = f"0{rng.randint(3, 9)}-{rng.randint(1000, 9999)}-{rng.randint(1000, 9999)}"
            mail = f"staff{i:04d}@example.co.jp"
            mecard = f"MECARD:N:{name.replace('　', ' ')};TEL:{phone.replace('-', '')};EMAIL:{mail};;"
            f.write(f"{name},{title},{phone},{mail},{mecard}\r\n")


if __name__ == "__main__":
    main()
