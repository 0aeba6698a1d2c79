// Labels painted zoomed from their kept pictures: the same pixels as drawing
// them directly, whatever lies under or over them and however the repainted
// area cuts them, and drawn anew after every change that shows.
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "Labelex.h"
#include "Qushape.h"
#include "WinControl.h"
#include "ZoomedPicture.h"

namespace {

struct Sheet {
  std::unique_ptr<TPanel> Panel = std::make_unique<TPanel>(nullptr);
  TLabelEx* Plain = nullptr;   // transparent, over a filled shape
  TLabelEx* Filled = nullptr;  // with a background colour, under a shape

  Sheet() {
    Panel->SetBounds(0, 0, 160, 90);
    Panel->SetColor(clWhite);
    Shape(5, 5, 60, 30, clYellow);
    Plain = Label(7, 9, QStringLiteral("山田 太郎"), false);
    Filled = Label(41, 47, QStringLiteral("TEL 03-1234\r\nFAX 03-5678"), true);
    Filled->SetColor(TColor(0xE0C0A0));
    Shape(70, 52, 30, 10, clBlue);
  }
  void Shape(int x, int y, int w, int h, TColor colour) {
    auto* s = new TQuShape(Panel.get());
    s->SetParent(Panel.get());
    s->SetLeft(x);
    s->SetTop(y);
    s->SetWidth(w);
    s->SetHeight(h);
    s->Brush()->SetColor(colour);
  }
  TLabelEx* Label(int x, int y, const QString& caption, bool opaque) {
    auto* l = new TLabelEx(Panel.get());
    TFont font;
    font.SetName(QStringLiteral("IPAGothic"));
    font.SetCharset(SHIFTJIS_CHARSET);
    font.SetSize(11);
    font.SetColor(clMaroon);
    l->SetFont(&font);
    l->SetCaption(caption);
    l->SetLeft(x);
    l->SetTop(y);
    l->SetTransparent(!opaque);
    l->SetParent(Panel.get());
    return l;
  }
};

// The panel through a scale, optionally repainting only part of it (in
// device pixels), with or without kept pictures.
QImage Paint(TPanel& panel, double zoom, bool kept, QRect part = QRect()) {
  ZoomedPicture::SetEnabled(kept);
  QImage out(int(panel.Width() * zoom + 0.5), int(panel.Height() * zoom + 0.5), QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::gray);
  {
    QPainter p(&out);
    if (part.isValid()) p.setClipRect(part);
    p.scale(zoom, zoom);
    panel.PaintControl(p);
  }
  ZoomedPicture::SetEnabled(true);
  return out;
}

}  // namespace

TEST(LabelZoom, KeptPicturesShowTheSamePixelsAsDirectDrawing) {
  struct Case {
    const char* Name;
    double Zoom;
    QRect Part;  // device pixels repainted; all when invalid
  };
  const Case cases[] = {
      {"200 %", 2.0, {}},
      {"400 %", 4.0, {}},
      {"150 %, corners between device pixels", 1.5, {}},
      {"137 %", 1.37, {}},
      {"75 %", 0.75, {}},
      {"400 %, a repaint cutting through both labels", 4.0, QRect(60, 50, 180, 170)},
      {"150 %, a repaint cutting through both labels", 1.5, QRect(17, 20, 71, 70)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Sheet sheet;
    const QImage direct = Paint(*sheet.Panel, c.Zoom, false, c.Part);
    ASSERT_EQ(ZoomedPicture::TotalPixels(), 0);
    EXPECT_EQ(Paint(*sheet.Panel, c.Zoom, true, c.Part), direct) << "first paint, drawing the pictures";
    EXPECT_GT(ZoomedPicture::TotalPixels(), 0);
    EXPECT_EQ(Paint(*sheet.Panel, c.Zoom, true, c.Part), direct) << "from the kept pictures";
  }
  EXPECT_EQ(ZoomedPicture::TotalPixels(), 0) << "pictures of labels that went away are dropped";
}

TEST(LabelZoom, NoPictureAt100PercentNorForALabelTooLargeToKeep) {
  Sheet sheet;
  Paint(*sheet.Panel, 1.0, true);
  EXPECT_EQ(ZoomedPicture::TotalPixels(), 0);

  sheet.Filled->SetAutoSize(false);
  sheet.Filled->SetBounds(0, 0, 1100, 1000);  // 4400 x 4000 device pixels at 400 %
  sheet.Panel->SetBounds(0, 0, 1100, 1000);
  const QRect part(0, 0, 300, 300);
  const QImage direct = Paint(*sheet.Panel, 4.0, false, part);
  EXPECT_EQ(Paint(*sheet.Panel, 4.0, true, part), direct);
  EXPECT_LE(ZoomedPicture::TotalPixels(), ZoomedPicture::MaxPixels) << "only the small label is kept";
}

TEST(LabelZoom, EveryChangeThatShowsIsDrawnAnew) {
  struct Case {
    const char* Name;
    std::function<void(Sheet&)> Change;
    double Zoom = 2.0;  // after the change
  };
  const Case cases[] = {
      {"zoom in", [](Sheet&) {}, 3.0},
      {"zoom out", [](Sheet&) {}, 1.5},
      {"caption", [](Sheet& s) { s.Plain->SetCaption(QStringLiteral("山田 花子")); }},
      {"font name", [](Sheet& s) { s.Plain->Font()->SetName(QStringLiteral("IPAMincho")); }},
      {"font size", [](Sheet& s) { s.Plain->Font()->SetSize(14); }},
      {"font style", [](Sheet& s) { s.Plain->Font()->SetStyle(FontStyleBit(fsBold)); }},
      {"font colour", [](Sheet& s) { s.Plain->Font()->SetColor(clGreen); }},
      {"gap", [](Sheet& s) { s.Plain->SetGap(3); }},
      {"size", [](Sheet& s) { s.Filled->SetAutoSize(false), s.Filled->SetWidth(s.Filled->Width() - 9); }},
      {"position", [](Sheet& s) { s.Plain->SetLeft(s.Plain->Left() + 3); }},
      {"background colour", [](Sheet& s) { s.Filled->SetColor(clAqua); }},
      {"transparency", [](Sheet& s) { s.Filled->SetTransparent(true); }},
      {"opacity", [](Sheet& s) { s.Plain->SetTransparent(false); }},
      {"hidden", [](Sheet& s) { s.Plain->SetVisible(false); }},
      {"disabled", [](Sheet& s) { s.Plain->SetEnabled(false); }},
      {"alignment",
       [](Sheet& s) { s.Filled->SetAutoSize(false), s.Filled->SetWidth(120), s.Filled->SetAlignment(taCenter); }},
      {"parent's font", [](Sheet& s) { s.Plain->SetParentFont(true); }},
      {"stacking order", [](Sheet& s) { s.Filled->BringToFront(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Sheet sheet;
    const QImage before = Paint(*sheet.Panel, 2.0, true);
    c.Change(sheet);
    const QImage after = Paint(*sheet.Panel, c.Zoom, true);
    EXPECT_NE(after, before) << "the change shows";
    EXPECT_EQ(after, Paint(*sheet.Panel, c.Zoom, false)) << "as drawn directly";
  }
}
