#include "CustomLabel.h"

#include <QPainter>

#include <iterator>

#include "Canvas.h"
#include "Color.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

const TClassInfo& TCustomLabel::StaticClassInfo() {
  static const TClassInfo info("TCustomLabel", &TGraphicControl::StaticClassInfo());
  return info;
}

TPropInfo TCustomLabel::LabelProperty(std::string_view name) {
  using P = Published<TCustomLabel>;
  auto self = [](const TPersistent& o) -> const TCustomLabel& { return static_cast<const TCustomLabel&>(o); };
  if (name == "Alignment")
    return P::Enum("Alignment", Identifiers::Alignments(), [](const TCustomLabel& o) { return o.Alignment(); },
                   [](TCustomLabel& o, int64_t v) { o.SetAlignment(TAlignment(v)); }, taLeftJustify);
  if (name == "AutoSize")
    return P::Bool("AutoSize", [](const TCustomLabel& o) { return o.AutoSize(); },
                   [](TCustomLabel& o, bool v) { o.SetAutoSize(v); }, true);
  if (name == "Caption")
    return P::String("Caption", [](const TCustomLabel& o) { return o.Caption(); },
                     [](TCustomLabel& o, const QString& v) { o.SetCaption(v); });
  if (name == "Color")
    return StoredWhen(P::Ordinal("Color", TPropKind::Color, [](const TCustomLabel& o) { return o.Color(); },
                                 [](TCustomLabel& o, int64_t v) { o.SetColor(TColor(v)); }, clWindow),
                      [self](const TPersistent& o) { return !self(o).ParentColor(); });
  if (name == "Enabled")
    return P::Bool("Enabled", [](const TCustomLabel& o) { return o.Enabled(); },
                   [](TCustomLabel& o, bool v) { o.SetEnabled(v); }, true);
  if (name == "Font")
    return StoredWhen(P::Object("Font", [](TCustomLabel& o) -> TPersistent* { return o.Font(); }),
                      [self](const TPersistent& o) { return !self(o).ParentFont(); });
  if (name == "Layout")
    return P::Enum("Layout", Identifiers::TextLayouts(), [](const TCustomLabel& o) { return o.Layout(); },
                   [](TCustomLabel& o, int64_t v) { o.SetLayout(TTextLayout(v)); }, tlTop);
  if (name == "ParentColor")
    return P::Bool("ParentColor", [](const TCustomLabel& o) { return o.ParentColor(); },
                   [](TCustomLabel& o, bool v) { o.SetParentColor(v); }, true);
  if (name == "ParentFont")
    return P::Bool("ParentFont", [](const TCustomLabel& o) { return o.ParentFont(); },
                   [](TCustomLabel& o, bool v) { o.SetParentFont(v); }, true);
  if (name == "ParentShowHint")
    return P::Bool("ParentShowHint", [](const TCustomLabel& o) { return o.ParentShowHint(); },
                   [](TCustomLabel& o, bool v) { o.SetParentShowHint(v); }, true);
  if (name == "ShowAccelChar")
    return P::Bool("ShowAccelChar", [](const TCustomLabel& o) { return o.ShowAccelChar(); },
                   [](TCustomLabel& o, bool v) { o.SetShowAccelChar(v); }, true);
  if (name == "ShowHint")
    return StoredWhen(P::Bool("ShowHint", [](const TCustomLabel& o) { return o.ShowHint(); },
                              [](TCustomLabel& o, bool v) { o.SetShowHint(v); }),
                      [self](const TPersistent& o) { return !self(o).ParentShowHint(); });
  if (name == "Transparent")
    return P::Bool("Transparent", [](const TCustomLabel& o) { return o.Transparent(); },
                   [](TCustomLabel& o, bool v) { o.SetTransparent(v); }, false);
  if (name == "Visible")
    return P::Bool("Visible", [](const TCustomLabel& o) { return o.Visible(); },
                   [](TCustomLabel& o, bool v) { o.SetVisible(v); }, true);
  if (name == "WordWrap")
    return P::Bool("WordWrap", [](const TCustomLabel& o) { return o.WordWrap(); },
                   [](TCustomLabel& o, bool v) { o.SetWordWrap(v); }, false);
  return TPropInfo{};
}

void TCustomLabel::SetCaption(const QString& v) {
  if (FCaption == v) return;
  FCaption = v;
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (FAutoSize == v) return;
  FAutoSize = v;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool v) {
  if (FTransparent == v) return;
  FTransparent = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (FWordWrap == v) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (FLayout == v) return;
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (FShowAccelChar == v) return;
  FShowAccelChar = v;
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::DoDrawText(QRect& rect, unsigned flags) {
  QString text = FCaption;
  if ((flags & DT_CALCRECT) && (text.isEmpty() || (FShowAccelChar && text == QStringLiteral("&"))))
    text += QLatin1Char(' ');
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  Canvas()->Font()->Assign(*Font());
  if (Enabled() || (flags & DT_CALCRECT)) {
    Canvas()->DrawText(text, rect, flags);
  } else {
    QRect shifted = rect.translated(1, 1);
    Canvas()->Font()->SetColor(clBtnHighlight);
    Canvas()->DrawText(text, shifted, flags);
    Canvas()->Font()->SetColor(clBtnShadow);
    Canvas()->DrawText(text, rect, flags);
  }
}

void TCustomLabel::Invalidate() {
  FZoomed.Forget();
  TGraphicControl::Invalidate();
}

void TCustomLabel::PaintControl(QPainter& painter) {
  if (!FZoomed.Paint(painter, ClientRect().size(), [this](QPainter& p) { TGraphicControl::PaintControl(p); }))
    TGraphicControl::PaintControl(painter);
}

void TCustomLabel::Paint() {
  static const unsigned kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  if (!FTransparent && Canvas()->Painter())
    Canvas()->Painter()->fillRect(ClientRect(), Colors::ToQColor(Color()));
  QRect rect = ClientRect();
  const unsigned align = FAlignment < std::size(kAlign) ? kAlign[FAlignment] : DT_LEFT;
  unsigned flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u) | align;
  if (FLayout != tlTop) {
    QRect calc = rect;
    DoDrawText(calc, flags | DT_CALCRECT);
    const int offset = FLayout == tlBottom ? rect.height() - calc.height() : (rect.height() - calc.height()) / 2;
    rect.translate(0, offset);
  }
  DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
  if (Loading() || !FAutoSize) return;
  QRect rect = ClientRect();
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
  int x = Left();
  if (FAlignment == taRightJustify) x += Width() - rect.width();
  SetBounds(x, Top(), rect.width(), rect.height());
}
