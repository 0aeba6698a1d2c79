#include "Labelex.h"

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
  rect.setRight(rect.right() - FGap);
  rect.setBottom(rect.bottom() + Font()->Size() / 5);
}
