#include "TemplateDesigns.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>

#include "Bitmap.h"
#include "ColorDialog.h"
#include "DocumentIO.h"
#include "DocumentPageSetup.h"
#include "Image.h"
#include "JpegImage.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "ShiftJis.h"
#include "Version.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

const QString kMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");

constexpr TColor Rgb(int r, int g, int b) { return TColor((b << 16) | (g << 8) | r); }

// One card on its own worksheet, with objects added the way the editor adds
// them (hand cursor, transparent text, explicit bounds).
class Card {
 public:
  Card(float widthMm, float heightMm) {
    Setup.SheetWidth = widthMm;
    Setup.SheetHeight = heightMm;
    Setup.SheetWidthPx = int(widthMm * 5.0f + 0.5f);
    Setup.SheetHeightPx = int(heightMm * 5.0f + 0.5f);
    Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
    Sheet.BGImage->Hide();  // as a new document starts
  }

  // The first master setup: ten 91 x 55 mm cards on A4.
  void A4TenUp() {
    Setup.SetupName = SetupNameBuffer::FromText(QStringLiteral("A4 10面 91x55mm 余白 左14 上11"));
    Setup.SetupKind = skMaster;
    Setup.PaperWidth = 210.0f;
    Setup.PaperHeight = 297.0f;
    Setup.Retu = 2;
    Setup.Dann = 5;
    Setup.LeftMargin = 14.0f;
    Setup.TopMargin = 11.0f;
  }

  TQuShape* Shape(TQuShapeType type, int left, int top, int width, int height, TColor pen, int penWidth,
                  std::optional<TColor> fill) {
    auto* s = Add<TQuShape>();
    s->SetShape(type);
    s->SetLeft(left);
    s->SetTop(top);
    s->SetWidth(width);
    s->SetHeight(height);
    s->Pen()->SetColor(pen);
    s->Pen()->SetWidth(penWidth);
    if (fill) {
      s->Brush()->SetColor(*fill);
    } else {
      s->Brush()->SetStyle(bsClear);
    }
    return s;
  }

  // Lines are separated by CR LF, as the text entry keeps them.
  TLabelEx* Text(const QString& text, int left, int top, const QString& font, int points, TColor color,
                 bool bold = false, int gap = 0) {
    if (!ShiftJis::CanEncode(text))
      throw std::runtime_error("not Shift-JIS: " + text.toStdString());
    auto* label = Add<TLabelEx>();
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->Font()->SetName(font);
    label->Font()->SetCharset(SHIFTJIS_CHARSET);
    label->Font()->SetColor(color);
    label->Font()->SetSize(points);
    if (bold) label->Font()->SetStyle(FontStyleBit(fsBold));
    label->SetParentFont(false);
    label->SetGap(gap);
    label->SetCaption(text);
    const QSize size = TextExtent(text, -label->Font()->Height(), gap, bold);
    label->SetBounds(left, top, size.width(), size.height());
    return label;
  }

  // The same, with the text's middle at centreX.
  TLabelEx* CentredText(const QString& text, int centreX, int top, const QString& font, int points, TColor color,
                        bool bold = false, int gap = 0) {
    TLabelEx* label = Text(text, 0, top, font, points, color, bold, gap);
    label->SetLeft(centreX - label->Width() / 2);
    return label;
  }

  TImage* Picture(std::unique_ptr<TGraphic> graphic, int left, int top) {
    auto* image = Add<TImage>();
    const int w = graphic->Width(), h = graphic->Height();
    image->Picture()->SetGraphic(std::move(graphic));
    image->SetStretch(true);
    image->SetBounds(left, top, w, h);
    return image;
  }

  void Background(std::unique_ptr<TGraphic> graphic) {
    Sheet.BGImage->Picture()->SetGraphic(std::move(graphic));
    Sheet.BGImage->Show();
  }

  // The colours of the design offered again in the colour dialog.
  void CustomColors(std::initializer_list<TColor> colors) {
    QStringList lines;
    auto it = colors.begin();
    for (char c = 'A'; c <= 'P'; ++c) {
      const QString value = it != colors.end() ? QString::number(uint32_t(*it++), 16).toUpper() : QStringLiteral("FFFFFFFF");
      lines << QStringLiteral("Color%1=%2").arg(QChar(c)).arg(value);
    }
    Sheet.ColorDialog->SetCustomColors(lines);
    Sheet.ColorDialog->SetColor(*colors.begin());
  }

  QByteArray Bytes() const { return BuildDocumentBytes(Sheet, Setup, QByteArrayView(VersionString)); }

  TWorksheet Sheet;
  DocumentPageSetup Setup;

 private:
  template <class T>
  T* Add() {
    T* c = new T(Sheet.DrawPanel);
    c->SetParent(Sheet.DrawPanel);
    c->SetCursor(crHandPoint);
    Sheet.ObjectList.push_back(c);
    return c;
  }

  // A generous extent from the characters alone (full-width ones one em,
  // capitals 0.8 em, digits 0.7, others 0.6), so that the files do not
  // depend on which fonts the machine making them has.
  static QSize TextExtent(const QString& text, int pixels, int gap, bool bold) {
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    double widest = 0;
    for (const QString& line : lines) {
      double w = 0;
      for (QChar c : line) {
        const char16_t u = c.unicode();
        const bool halfWidth = u < 0x100 || (u >= 0xFF61 && u <= 0xFF9F);
        const double em = !halfWidth ? 1.0 : c.isUpper() ? 0.8 : c.isDigit() ? 0.7 : 0.6;
        w += em * pixels * (bold ? 1.1 : 1.0) + gap;
      }
      widest = std::max(widest, w);
    }
    const int lineHeight = int(std::ceil(pixels * 1.25));
    return QSize(int(std::ceil(widest)) + 8, lineHeight * int(lines.size()) + 2);
  }
};

QByteArray JpegBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(88);
  if (!writer.write(image)) throw std::runtime_error("JPEG encoding failed");
  return bytes;
}

// ---- Pictures ---------------------------------------------------------------

// A round green emblem: a leaf over a rising sun.
QImage LeafLogo() {
  QImage image(72, 72, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(34, 139, 84));
  p.drawEllipse(QRectF(2, 2, 68, 68));
  p.setBrush(QColor(250, 200, 60));
  p.drawEllipse(QRectF(38, 14, 20, 20));
  QPainterPath leaf;
  leaf.moveTo(16, 56);
  leaf.cubicTo(14, 30, 34, 18, 56, 22);
  leaf.cubicTo(54, 44, 40, 58, 16, 56);
  p.setBrush(Qt::white);
  p.drawPath(leaf);
  p.setPen(QPen(QColor(34, 139, 84), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19, 53), QPointF(46, 30));
  return image;
}

// Soft morning colours with overlapping waves on the right.
QImage WaveBackground(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(255, 251, 240));
  g.setColorAt(1, QColor(250, 228, 206));
  p.fillRect(image.rect(), g);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor waves[] = {QColor(244, 196, 160, 150), QColor(236, 166, 128, 140), QColor(214, 130, 96, 130)};
  for (int i = 0; i < 3; ++i) {
    QPainterPath path;
    const double base = h * (0.55 + 0.15 * i);
    path.moveTo(w * 0.45, h);
    path.cubicTo(w * 0.62, base - 40, w * 0.80, base + 30, w, base - 50 + 10 * i);
    path.lineTo(w, h);
    path.closeSubpath();
    p.fillPath(path, waves[i]);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(QPointF(w * 0.82, h * 0.28), h * 0.12, h * 0.12);
  return image;
}

// ---- Designs ----------------------------------------------------------------

// Plain: black text on white, one fine rule.
void Plain(Card& c) {
  c.A4TenUp();
  const TColor ink = Rgb(34, 34, 34), grey = Rgb(102, 102, 102);
  c.Text(QStringLiteral("株式会社　テソロ企画"), 28, 24, kMincho, 11, ink);
  c.Text(QStringLiteral("営業部　主任"), 120, 88, kMincho, 9, grey);
  c.Text(QStringLiteral("山田　太郎"), 120, 108, kMincho, 22, ink, false, 3);
  c.Text(QStringLiteral("Taro Yamada"), 122, 150, kMincho, 8, grey, false, 1);
  c.Shape(qustLinea, 28, 190, 399, 0, Rgb(153, 153, 153), 1, std::nullopt);
  c.Text(QStringLiteral("〒100-0005　東京都千代田区丸の内1-2-3　テソロビル5F"), 28, 200, kMincho, 8, ink);
  c.Text(QStringLiteral("TEL 03-1234-5678　FAX 03-1234-5679"), 28, 220, kMincho, 8, ink);
  c.Text(QStringLiteral("yamada@tessolo.example.jp"), 28, 240, kMincho, 8, ink);
  c.CustomColors({ink, grey, Rgb(153, 153, 153)});
}

// A deep blue band down the left edge with a light stripe beside it.
void ColourBand(Card& c) {
  c.A4TenUp();
  const TColor navy = Rgb(31, 63, 127), light = Rgb(120, 170, 220), ink = Rgb(40, 40, 48);
  c.Shape(qustRectangle, 0, 0, 36, 274, navy, 1, navy);
  c.Shape(qustRectangle, 38, 0, 5, 274, light, 1, light);
  c.Text(QStringLiteral("テソロ・デザイン株式会社"), 62, 24, kGothic, 10, navy, true);
  c.Text(QStringLiteral("クリエイティブ部　デザイナー"), 62, 92, kGothic, 8, ink);
  c.Text(QStringLiteral("佐藤　花子"), 62, 110, kGothic, 20, ink, true, 3);
  c.Text(QStringLiteral("Hanako Sato"), 64, 148, kGothic, 8, Rgb(110, 110, 120), false, 1);
  c.Text(QStringLiteral("〒150-0002　東京都渋谷区渋谷2-4-6"), 62, 196, kGothic, 7, ink);
  c.Text(QStringLiteral("TEL 03-5555-0123　携帯 090-1234-5678"), 62, 214, kGothic, 7, ink);
  c.Text(QStringLiteral("hanako.sato@design.example.jp"), 62, 232, kGothic, 7, navy);
  c.CustomColors({navy, light, ink});
}

// A company emblem at the top left, the company beside it.
void WithLogo(Card& c) {
  c.A4TenUp();
  const TColor green = Rgb(34, 139, 84), ink = Rgb(30, 40, 34);
  c.Picture(TBitmap::FromImage(LeafLogo()), 28, 22);
  c.Text(QStringLiteral("株式会社　ミドリ環境サービス"), 110, 32, kGothic, 11, green, true);
  c.Text(QStringLiteral("GREEN ENVIRONMENT SERVICE"), 110, 56, kGothic, 7, Rgb(90, 130, 100), false, 1);
  c.Text(QStringLiteral("技術部　部長"), 110, 106, kMincho, 9, ink);
  c.Text(QStringLiteral("鈴木　一郎"), 110, 124, kMincho, 20, ink, false, 3);
  c.Shape(qustLinea, 28, 192, 399, 0, green, 2, std::nullopt);
  c.Text(QStringLiteral("〒460-0008　名古屋市中区栄3-5-7"), 28, 202, kGothic, 7, ink);
  c.Text(QStringLiteral("TEL 052-123-4567　FAX 052-123-4568"), 28, 220, kGothic, 7, ink);
  c.Text(QStringLiteral("suzuki@midori.example.jp"), 28, 238, kGothic, 7, green);
  c.CustomColors({green, ink});
}

// A portrait card of 55 x 91 mm: a round mark, the name written downwards,
// three cards across and three down on A4.
void Portrait(Card& c) {
  c.Setup.SetupKind = skFree;
  c.Setup.PaperWidth = 210.0f;
  c.Setup.PaperHeight = 297.0f;
  c.Setup.Retu = 3;
  c.Setup.Dann = 3;
  c.Setup.LeftMargin = 22.5f;
  c.Setup.TopMargin = 12.0f;
  const TColor crimson = Rgb(160, 30, 45), ink = Rgb(30, 30, 30);
  const int middle = c.Setup.SheetWidthPx / 2;
  c.Shape(qustCircle, middle - 26, 28, 52, 52, crimson, 2, std::nullopt);
  c.CentredText(QStringLiteral("創"), middle, 38, kMincho, 20, crimson);
  c.CentredText(QStringLiteral("株式会社　創和堂"), middle, 96, kMincho, 10, ink);
  // Written downwards: one character a line, the title to the right of the name.
  c.Text(QStringLiteral("高\r\n橋"), middle - 26, 140, kMincho, 24, ink);
  c.Text(QStringLiteral("誠"), middle - 26, 230, kMincho, 24, ink);
  c.Text(QStringLiteral("代\r\n表\r\n取\r\n締\r\n役"), middle + 30, 146, kMincho, 9, ink);
  c.Shape(qustLinea, 30, 336, 215, 0, crimson, 1, std::nullopt);
  c.Text(QStringLiteral("〒600-8001\r\n京都市下京区四条通1-1\r\nTEL 075-123-4567\r\ninfo@sowado.example.jp"), 34, 348,
         kMincho, 7, ink);
  c.CustomColors({crimson, ink});
}

// A picture behind the whole card.
void BackgroundPicture(Card& c) {
  c.A4TenUp();
  c.Background(std::make_unique<TJPEGImage>(JpegBytes(WaveBackground(c.Setup.SheetWidthPx, c.Setup.SheetHeightPx))));
  const TColor brown = Rgb(110, 60, 30), ink = Rgb(60, 40, 30);
  c.Text(QStringLiteral("カフェ　ソレイユ"), 30, 26, kMincho, 14, brown, true, 2);
  c.Text(QStringLiteral("Cafe Soleil"), 32, 58, kMincho, 8, brown, false, 2);
  c.Text(QStringLiteral("店長"), 30, 104, kMincho, 9, ink);
  c.Text(QStringLiteral("中村　優子"), 30, 122, kMincho, 18, ink, false, 3);
  c.Text(QStringLiteral("〒530-0001　大阪市北区梅田1-2-3"), 30, 196, kMincho, 7, ink);
  c.Text(QStringLiteral("TEL 06-1234-5678　営業時間 10:00-20:00"), 30, 214, kMincho, 7, ink);
  c.Text(QStringLiteral("定休日　水曜日"), 30, 232, kMincho, 7, ink);
  c.CustomColors({brown, ink});
}

// A double frame with rounded corners, everything centred.
void Frame(Card& c) {
  c.A4TenUp();
  const TColor gold = Rgb(150, 110, 40), ink = Rgb(40, 32, 24);
  const int middle = c.Setup.SheetWidthPx / 2;
  c.Shape(qustRoundRect, 12, 12, 430, 250, gold, 3, std::nullopt);
  c.Shape(qustRectangle, 22, 22, 410, 230, gold, 1, std::nullopt);
  c.CentredText(QStringLiteral("伊藤税理士事務所"), middle, 40, kMincho, 11, gold, false, 2);
  c.CentredText(QStringLiteral("税理士"), middle, 92, kMincho, 9, ink);
  c.CentredText(QStringLiteral("伊藤　恵美"), middle, 110, kMincho, 20, ink, false, 3);
  c.CentredText(QStringLiteral("〒980-0021　仙台市青葉区中央2-8-1"), middle, 182, kMincho, 7, ink);
  c.CentredText(QStringLiteral("TEL 022-123-4567　FAX 022-123-4568"), middle, 200, kMincho, 7, ink);
  c.CentredText(QStringLiteral("ito@zeirishi.example.jp"), middle, 218, kMincho, 7, gold);
  c.CustomColors({gold, ink});
}

struct Design {
  const char* FileName;
  float WidthMm, HeightMm;
  std::function<void(Card&)> Build;
};

}  // namespace

std::vector<TemplateFile> BuildTemplates() {
  const Design designs[] = {
      {"シンプル.tpl", 91.0f, 55.0f, Plain},
      {"カラーバンド.tpl", 91.0f, 55.0f, ColourBand},
      {"ロゴ入り.tpl", 91.0f, 55.0f, WithLogo},
      {"縦型.tpl", 55.0f, 91.0f, Portrait},
      {"背景画像.tpl", 91.0f, 55.0f, BackgroundPicture},
      {"額縁.tpl", 91.0f, 55.0f, Frame},
  };
  std::vector<TemplateFile> files;
  for (const Design& d : designs) {
    Card card(d.WidthMm, d.HeightMm);
    d.Build(card);
    files.push_back({QString::fromUtf8(d.FileName), card.Bytes(), int(card.Sheet.ObjectList.size())});
  }
  return files;
}
