#include "DocumentInfo.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>

#include "ColorDialog.h"
#include "DocumentFormat.h"
#include "DocumentPageSetup.h"
#include "Graphic.h"
#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "Worksheet.h"

namespace {

// The shortest decimal that reads back as the same single float, so that
// 0.1f shows as 0.1 rather than as its double expansion.
QJsonValue Mm(float v) {
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, v);
  return QJsonValue(QByteArray(text, r.ptr - text).toDouble());
}

QJsonValue Color(TColor c) { return QJsonValue(double(uint32_t(c))); }

QJsonValue EnumName(const TEnumInfo& info, int64_t v) {
  const std::string_view name = info.Name(v);
  if (name.empty()) return QJsonValue(double(v));
  return QJsonValue(QString::fromLatin1(name.data(), qsizetype(name.size())));
}

QJsonObject Pen(const TPen& pen) {
  return {{"color", Color(pen.Color())},
          {"width", pen.Width()},
          {"style", EnumName(Identifiers::PenStyles(), pen.Style())},
          {"mode", EnumName(Identifiers::PenModes(), pen.Mode())}};
}

QJsonObject Brush(const TBrush& brush) {
  return {{"color", Color(brush.Color())}, {"style", EnumName(Identifiers::BrushStyles(), brush.Style())}};
}

QJsonObject Font(const TFont& font) {
  return {{"name", font.Name()},
          {"height", font.Height()},
          {"size", font.Size()},
          {"color", Color(font.Color())},
          {"charset", font.Charset()},
          {"bold", font.Has(fsBold)},
          {"italic", font.Has(fsItalic)},
          {"underline", font.Has(fsUnderline)}};
}

QJsonObject Bounds(int left, int top, int width, int height) {
  return {{"left", left}, {"top", top}, {"width", width}, {"height", height}};
}

QJsonObject Object(const TControl& c) {
  QJsonObject o;
  if (auto* shape = dynamic_cast<const TQuShape*>(&c)) {
    o = Bounds(shape->Left(), shape->Top(), shape->Width(), shape->Height());
    o["shape"] = EnumName(TQuShape::ShapeTypes(), shape->Shape());
    o["pen"] = Pen(*shape->Pen());
    o["brush"] = Brush(*shape->Brush());
  } else {
    o = Bounds(c.Left(), c.Top(), c.Width(), c.Height());
    if (auto* label = dynamic_cast<const TLabelEx*>(&c)) {
      o["caption"] = label->Caption();
      o["gap"] = label->Gap();
      o["transparent"] = label->Transparent();
      o["font"] = Font(*label->Font());
    } else if (auto* image = dynamic_cast<const TImage*>(&c)) {
      o["stretch"] = image->Stretch();
      o["picture"] = DescribePicture(image->Picture());
    }
  }
  o["class"] = QString::fromLatin1(c.ClassName());
  o["tag"] = c.Tag();
  // Only where there is one: a QR code's content rides in its hint.
  if (!c.Hint().isEmpty()) o["hint"] = c.Hint();
  return o;
}

// "ColorA=0000FF" ... as numbers; an unset entry (FFFFFFFF) or a line that
// is not a colour is null.
QJsonArray CustomColors(const QStringList& lines) {
  QJsonArray out;
  for (const QString& line : lines) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    bool ok = false;
    const uint32_t v = eq < 0 ? 0 : line.mid(eq + 1).trimmed().toUInt(&ok, 16);
    out.append(ok && v != 0xFFFFFFFFu ? QJsonValue(double(v)) : QJsonValue());
  }
  return out;
}

}  // namespace

QJsonValue DescribePicture(const TPicture* picture) {
  const TGraphic* g = picture ? picture->Graphic() : nullptr;
  if (!g) return QJsonValue();
  return QJsonObject{{"class", QString::fromLatin1(g->GraphicClassName())},
                     {"bytes", double(g->Bytes().size())},
                     {"sha256", QString::fromLatin1(QCryptographicHash::hash(g->Bytes(), QCryptographicHash::Sha256)
                                                        .toHex())},
                     {"width", g->Width()},
                     {"height", g->Height()}};
}

QJsonObject DescribeDocument(const TWorksheet& sheet, const DocumentPageSetup& s, QByteArrayView version8) {
  QJsonObject doc;
  doc["sheet"] = QJsonObject{{"width_mm", Mm(s.SheetWidth)},
                             {"height_mm", Mm(s.SheetHeight)},
                             {"width_px", s.SheetWidthPx},
                             {"height_px", s.SheetHeightPx}};
  doc["setup"] = QJsonObject{{"name", s.SetupName.Text()},
                             {"kind", s.SetupKind},
                             {"paper_width_mm", Mm(s.PaperWidth)},
                             {"paper_height_mm", Mm(s.PaperHeight)},
                             {"columns", s.Retu},
                             {"rows", s.Dann},
                             {"left_mm", Mm(s.LeftMargin)},
                             {"top_mm", Mm(s.TopMargin)},
                             {"gap_x_mm", Mm(s.InsideMarginX)},
                             {"gap_y_mm", Mm(s.InsideMarginY)},
                             {"unit", s.PageUnit},
                             {"overflow", s.OverflowAdjust},
                             {"crop_marks", s.PrintTonbo != 0},
                             {"legacy", s.LegacyPageSetup}};
  doc["version"] = DocumentFormat::VersionText(version8);

  if (const TImage* bg = sheet.BGImage) {
    QJsonObject b = Bounds(bg->Left(), bg->Top(), bg->Width(), bg->Height());
    b["visible"] = bg->Visible();
    b["picture"] = DescribePicture(bg->Picture());
    doc["background"] = b;
  } else {
    doc["background"] = QJsonValue();
  }
  if (const TGridShape* grid = sheet.GridShape) {
    doc["grid"] = QJsonObject{{"spacing", grid->GridWidth()},
                              {"pen_color", Color(grid->Pen()->Color())},
                              {"pen_width", grid->Pen()->Width()},
                              {"pen_style", EnumName(Identifiers::PenStyles(), grid->Pen()->Style())}};
  } else {
    doc["grid"] = QJsonValue();
  }

  QJsonArray objects;
  for (const TControl* c : sheet.ObjectList)
    if (c) objects.append(Object(*c));
  doc["objects"] = objects;

  if (const TColorDialog* d = sheet.ColorDialog)
    doc["colors"] = QJsonObject{{"color", Color(d->Color())}, {"custom", CustomColors(d->CustomColors())}};
  else
    doc["colors"] = QJsonObject{{"color", Color(clBlack)}, {"custom", QJsonArray()}};
  return doc;
}

QByteArray DocumentInfoJson(const TWorksheet& sheet, const DocumentPageSetup& setup, QByteArrayView version8) {
  return QJsonDocument(DescribeDocument(sheet, setup, version8)).toJson(QJsonDocument::Indented);
}
