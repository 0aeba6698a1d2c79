#include "Labelex.h"

#include <algorithm>
#include <cstdint>

#include "Canvas.h"

const TClassInfo& TLabelEx::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TLabelEx>;
    TClassInfo c("TLabelEx", &TGraphicControl::StaticClassInfo());
    for (const char* name : {"Alignment", "AutoSize", "Caption", "Color", "Enabled", "Font"})
      c.Add(TCustomLabel::LabelProperty(name));
    c.Add(P::Integer("Gap", [](const TLabelEx& l) { return l.Gap(); }, [](TLabelEx& l, int64_t v) { l.SetGap(int(v)); },
                     0));
    for (const char* name : {"Layout", "ParentColor", "ParentFont", "ParentShowHint"})
      c.Add(TCustomLabel::LabelProperty(name));
    c.Add(P::Bool("ShowAccelChar", [](const TLabelEx& l) { return l.ShowAccelChar(); },
                  [](TLabelEx& l, bool v) { l.SetShowAccelChar(v); }, true));
    for (const char* name : {"ShowHint", "Transparent", "Visible", "WordWrap"}) c.Add(TCustomLabel::LabelProperty(name));
    return c;
  }();
  return info;
}

void TLabelEx::SetGap(int value) {
  FGap = value;
  Invalidate();
}

void TLabelEx::SetShowAccelChar(bool value) {
  FShowAccelChar = value;
  Invalidate();
}

void TLabelEx::DoDrawText(QRect& rect, unsigned flags) {
  TCanvas& c = *Canvas();
  c.SetTextCharacterExtra(FGap);
  QString text = Caption();
  if (((flags & DT_CALCRECT) && text.isEmpty()) || (FShowAccelChar && text == QStringLiteral("&")))
    text += QLatin1Char(' ');
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  c.Font()->Assign(*Font());
  if (Enabled()) {
    c.DrawText(text, rect, flags);
  } else {
    QRect shifted = rect.translated(1, 1);
    c.Font()->SetColor(clBtnHighlight);
    c.DrawText(text, shifted, flags);
    c.Font()->SetColor(clBtnShadow);
    c.DrawText(text, rect, flags);
  }
  // In 64 bits: a gap or font from a damaged document may be any int. A
  // width the canvas already cut to its largest stays so; taking the gap off
  // it would leave a size that has nothing to do with the text.
  auto fit = [](int64_t v) { return int(std::clamp<int64_t>(v, -TCanvas::MaxCoord, TCanvas::MaxCoord)); };
  if (int64_t(rect.right()) - rect.left() + 1 < TCanvas::MaxCoord) rect.setRight(fit(int64_t(rect.right()) - FGap));
  // A font of absurd positive height has a large negative size; the text
  // still has no negative height.
  rect.setBottom(fit(std::max<int64_t>(int64_t(rect.bottom()) + Font()->Size() / 5, int64_t(rect.top()) - 1)));
}
