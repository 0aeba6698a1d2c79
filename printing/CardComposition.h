#pragma once
// The card composed off screen from copies of the worksheet's objects, made
// by component streaming, so the worksheet itself is never touched. One
// composition serves the printer, PDF, the preview and PNG export.
#include <QByteArray>

#include <memory>
#include <vector>

class TComponent;
class TControl;
class TImage;
class TLabelEx;
class TPanel;
class TWinControl;

struct TCardComposition {
  TCardComposition();
  ~TCardComposition();
  TCardComposition(TCardComposition&&) noexcept;
  TCardComposition& operator=(TCardComposition&&) noexcept;

  // The hidden panel ("PrintPanel" when printing) owning every copy.
  std::unique_ptr<TPanel> Panel;
  // The copy of the background picture (bottom of the panel).
  TImage* Background = nullptr;
  // The copied card objects in list order (bottom first).
  std::vector<TControl*> Copies;
};

// Composes the card on a new hidden panel of widthPx x heightPx: a copy of
// background, then copies of the objects in list order, told apart by class
// name (TQuShape, TLabelEx, TImage; others are skipped). Picture copies get
// Stretch on. With widenLabels (printing, not the preview) each label copy
// is fitted to its text and widened by the width of "aaaa" in its own font.
// Throws EReadError only if a stream fails to read back, which means a bug.
TCardComposition ComposeCard(const TImage* background, const std::vector<TControl*>& objects, int widthPx,
                             int heightPx, bool widenLabels);

// Room for text whose width at the printer's resolution differs from its
// width on screen: the label is fitted to its text and widened by the width
// of "aaaa" in its own font.
void WidenLabel(TLabelEx& label);
// Fits each label copy to its text as it measures now (font, size and Gap)
// and widens it by the width of "aaaa" in its own font. Printing does this
// before scaling; the preview, whose small fonts round wider than the scaled
// worksheet, after.
void WidenLabels(TCardComposition& card);

// ScaleBy(u, 100) on the panel, then each shape copy's logical Top, Left,
// Width, Height and pen width, and each label copy's Gap, by u / 100.
void ScaleComposition(TCardComposition& card, int u);

// A copy of source made by writing it into a component stream and reading
// it back into a new component of the same class, owned by and placed on
// parent (on top). Null for a class the registry does not know.
TControl* StreamCopy(const TControl& source, TWinControl* parent);
