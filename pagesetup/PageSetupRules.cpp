#include "PageSetupRules.h"

#include <algorithm>
#include <cmath>

#include "Function1.h"
#include "Messages.h"
#include "SetupNameInput.h"
#include "ShiftJis.h"
#include "StringTable.h"
#include "UserInterface.h"

namespace {

constexpr int kNoSheetSize = 1040;
constexpr int kSheetTooLarge = 1203;
constexpr int kLengthTooLarge = 1210;
constexpr int kCountTooLarge = 1211;
constexpr int kFreeSettingName = 1041;

constexpr float kA4Width = 210.0f, kA4Height = 297.0f;
constexpr float kLetterWidth = 215.9f, kLetterHeight = 279.4f;
// The layout picture of a sheet larger than any paper is cut to this.
constexpr int kMaxPaperPicture = 2000;

constexpr PageField kFieldOf[PageLengthCount] = {
    PageField::Width,         PageField::Height,        PageField::TopMargin,    PageField::LMargin,
    PageField::InsideMarginX, PageField::InsideMarginY, PageField::BottomMargin, PageField::RMargin};

// The lengths the user types: card size, the four margins and gaps.
constexpr PageLength kEditable[] = {plWidth, plHeight, plTop, plLeft, plInsideX, plInsideY};
// The lengths a named setup brings along with the card size.
constexpr PageLength kMarginsAndGaps[] = {plLeft, plTop, plInsideX, plInsideY};

enum class FilterKind { None, Digits, Decimal };

FilterKind FilterOf(PageField f) {
  switch (f) {
    case PageField::Retu:
    case PageField::Dann:
      return FilterKind::Digits;
    case PageField::BottomMargin:
    case PageField::RMargin:
      return FilterKind::None;
    default:
      return FilterKind::Decimal;
  }
}

QString Filtered(PageField f, const QString& text) {
  const FilterKind kind = FilterOf(f);
  if (kind == FilterKind::None) return text;
  const QByteArray bytes = ShiftJis::Encode(text);
  const TFilterResult r = kind == FilterKind::Digits ? FilterDigitsText(bytes, 0) : FilterDecimalText(bytes, 0);
  return r.Changed ? QString::fromLatin1(r.Text) : text;
}

int TruncToInt(long double v, int lo, int hi) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(std::trunc(v), static_cast<long double>(lo), static_cast<long double>(hi)));
}

}  // namespace

PageSetupRules::PageSetupRules(const ProgramFolders& folders) : FLists(folders) { FLists.Load(); }

void PageSetupRules::HandIn(const DocumentPageSetup& doc) {
  S.FreeSheetWidth = doc.SheetWidth;
  S.FreeSheetHeight = doc.SheetHeight;
  S.FreeSheetWidthPx = doc.SheetWidthPx;
  S.FreeSheetHeightPx = doc.SheetHeightPx;
  S.Retu = doc.Retu;
  S.Dann = doc.Dann;
  S.Mm[plLeft] = doc.LeftMargin;
  S.Mm[plTop] = doc.TopMargin;
  S.Mm[plInsideX] = doc.InsideMarginX;
  S.Mm[plInsideY] = doc.InsideMarginY;
  S.PaperWidth = doc.PaperWidth;
  S.PaperHeight = doc.PaperHeight;
  S.SetupName = doc.SetupName;
  S.SetupKind = doc.SetupKind;
  S.PageUnit = doc.PageUnit;
  SetOverflowAdjust(doc.OverflowAdjust);
  S.PrintTonbo = doc.PrintTonbo != 0;
  S.StartNewDocument = false;
  S.LegacyPageSetup = doc.LegacyPageSetup;
}

void PageSetupRules::StartNewDocument() {
  S.StartNewDocument = true;
  S.LegacyPageSetup = false;
}

void PageSetupRules::SetOverflowAdjust(int v) { S.OverflowAdjust = std::clamp(v, -3, 3); }

template <typename Fn>
bool PageSetupRules::Guarded(Fn&& fn) {
  const State before = S;
  try {
    fn();
    for (FieldState& field : S.Fields) {
      field.Accepted = field.Text;
      field.AcceptedModified = field.Modified;
    }
    return true;
  } catch (const EConvertError& e) {
    // The event stops as a whole: no value and no field keeps a half change.
    S = before;
    UI().ShowError(e.Message());
    return false;
  } catch (const OutOfRange& e) {
    // The stored value never changed; the field shows it again.
    S = before;
    FieldState& field = F(e.Field);
    field.Text = field.Accepted;
    field.Modified = field.AcceptedModified;
    ShowMessageId(e.MessageId);
    return false;
  }
}

void PageSetupRules::CheckLength(PageField f, float mm) const {
  if (!PageLimits::LengthOk(mm)) throw OutOfRange{f, kLengthTooLarge};
}

void PageSetupRules::SetField(PageField f, const QString& text) {
  FieldState& field = F(f);
  if (field.Text == text) return;  // setting the same text is no change
  field.Text = Filtered(f, text);
  field.Modified = true;
}

void PageSetupRules::FieldChanged(PageField f, const QString& text) {
  FieldState& field = F(f);
  field.Text = Filtered(f, text);
  field.Modified = true;
}

void PageSetupRules::ShowLength(PageLength l) {
  SetField(kFieldOf[l], S.PageUnit == puInch ? FormatInch(S.Inch[l]) : FormatMm(S.Mm[l]));
}

QStringList PageSetupRules::ListItems() const {
  QStringList items{LoadStr(kFreeSettingName)};
  const SetupTable& t = FLists.Table();
  for (int i = 0; i < t.Count(); ++i) items << t.Records[i].SetupName.Text();
  return items;
}

bool PageSetupRules::FormActivate() {
  if (!S.FirstActivation) return true;
  return Guarded([&] {
    // Only millimetres and inches are ever in effect.
    S.PageUnit = (S.PageUnit == puNone || S.PageUnit == puMillimetre) ? puMillimetre : puInch;
    DocumentPageSetup doc;
    doc.SheetWidth = S.FreeSheetWidth;
    doc.SheetHeight = S.FreeSheetHeight;
    doc.SetupName = S.SetupName;
    doc.SetupKind = S.SetupKind;
    doc.PaperWidth = S.PaperWidth;
    doc.PaperHeight = S.PaperHeight;
    doc.Retu = S.Retu;
    doc.Dann = S.Dann;
    doc.LeftMargin = S.Mm[plLeft];
    doc.TopMargin = S.Mm[plTop];
    doc.InsideMarginX = S.Mm[plInsideX];
    doc.InsideMarginY = S.Mm[plInsideY];
    ApplySelection(FLists.MatchDocumentSetup(doc, S.StartNewDocument, S.LegacyPageSetup));
    S.FirstActivation = false;
  });
}

bool PageSetupRules::YousiCBClick(int position) {
  return Guarded([&] { ApplySelection(position); });
}

void PageSetupRules::MatchPaperSize() {
  if (S.PaperWidth == kA4Width && S.PaperHeight == kA4Height)
    S.PaperSizeIndex = psA4;
  else if (S.PaperWidth == kLetterWidth && S.PaperHeight == kLetterHeight)
    S.PaperSizeIndex = psLetter;
  else
    return;
  ++S.PaperSizeChoices;
}

void PageSetupRules::ApplySelection(int position) {
  const SetupTable& table = FLists.Table();
  if (position < 0 || position > table.Count()) position = 0;
  S.ListIndex = position;
  const bool named = position >= 1;
  if (named) {
    const PageSetup& r = table.Records[position - 1];
    S.Mm[plWidth] = r.SheetWidth;
    S.Mm[plHeight] = r.SheetHeight;
    S.SetupName = r.SetupName;
    S.PaperWidth = r.PaperWidth;
    S.PaperHeight = r.PaperHeight;
    S.Retu = r.Retu;
    S.Dann = r.Dann;
    S.Mm[plLeft] = r.LeftMargin;
    S.Mm[plTop] = r.TopMargin;
    S.Mm[plInsideX] = r.InsideMarginX;
    S.Mm[plInsideY] = r.InsideMarginY;
    MatchPaperSize();
    S.SetupKind = position <= table.MasterCount ? skMaster : skUser;
    S.DeleteBtnEnabled = S.SetupKind == skUser;
    S.NewBtnEnabled = false;
  } else {
    // The free setting brings back the card size typed last, or the document's.
    if (S.FreeSheetWidth != 0.0f) {
      S.Mm[plWidth] = S.FreeSheetWidth;
      S.Mm[plHeight] = S.FreeSheetHeight;
      S.Px[plWidth] = S.FreeSheetWidthPx;
      S.Px[plHeight] = S.FreeSheetHeightPx;
    }
    SetField(PageField::Width, FormatMm(S.Mm[plWidth]));
    SetField(PageField::Height, FormatMm(S.Mm[plHeight]));
    S.SetupName = SetupNameBuffer();
    S.SetupKind = skFree;
    MatchPaperSize();
    S.NewBtnEnabled = !table.IsFull();
    S.DeleteBtnEnabled = false;
  }
  // A named setup is shown, not edited.
  for (PageField f : {PageField::Width, PageField::Height, PageField::Retu, PageField::Dann, PageField::TopMargin,
                      PageField::LMargin, PageField::InsideMarginX, PageField::InsideMarginY})
    F(f).Enabled = !named;
  F(PageField::BottomMargin).Enabled = false;
  F(PageField::RMargin).Enabled = false;
  S.PaperSizeEnabled = !named;

  for (PageLength l : kEditable) {
    S.Px[l] = MmToPixels(S.Mm[l]);
    S.Inch[l] = PixelsToInches(S.Px[l]);
  }
  for (PageLength l : kEditable) ShowLength(l);
  SetField(PageField::Retu, FormatCount(S.Retu));
  SetField(PageField::Dann, FormatCount(S.Dann));
  DoRecompute();
}

bool PageSetupRules::Recompute() {
  return Guarded([&] { DoRecompute(); });
}

void PageSetupRules::DoRecompute() {
  for (PageField f : {PageField::Retu, PageField::Dann})
    if (F(f).Text.isEmpty()) SetField(f, QStringLiteral("0"));
  for (PageLength l : kMarginsAndGaps)
    if (F(kFieldOf[l]).Text.isEmpty()) SetField(kFieldOf[l], FormatMm(0.0f));

  for (PageField f : {PageField::Retu, PageField::Dann}) {
    const std::int32_t n = ParseCount(F(f).Text);
    if (!PageLimits::CountOk(n)) throw OutOfRange{f, kCountTooLarge};
    (f == PageField::Retu ? S.Retu : S.Dann) = n;
  }

  // A typed margin is read as shown, so it keeps one decimal (millimetres) or
  // three (inches); an inch value is not snapped to the pixel grid.
  for (PageLength l : kMarginsAndGaps) {
    const PageField f = kFieldOf[l];
    if (!F(f).Modified) continue;
    if (S.PageUnit == puInch) {
      const float typed = ParseDecimal(F(f).Text);
      CheckLength(f, InchesToMm(typed));
      S.Inch[l] = typed;
      SetField(f, FormatInch(S.Inch[l]));
      S.Inch[l] = ParseDecimal(F(f).Text);
      S.Mm[l] = InchesToMm(S.Inch[l]);
    } else {
      const float typed = ParseDecimal(F(f).Text);
      CheckLength(f, typed);
      SetField(f, FormatMm(typed));
      S.Mm[l] = ParseDecimal(F(f).Text);
    }
    CheckLength(f, S.Mm[l]);
  }

  S.Mm[plRight] = RightMarginOf(S.PaperWidth, S.Retu, S.Mm[plWidth], S.Mm[plLeft], S.Mm[plInsideX]);
  S.Mm[plBottom] = BottomMarginOf(S.PaperHeight, S.Dann, S.Mm[plHeight], S.Mm[plTop], S.Mm[plInsideY]);
  for (PageLength l : {plRight, plBottom}) {
    S.Px[l] = MmToPixels(S.Mm[l]);
    if (S.PageUnit == puInch) S.Inch[l] = MmToInches(S.Mm[l]);
    ShowLength(l);
  }

  LayoutPicture& pic = S.Layout;
  pic.PaperWidth = TruncToInt(S.PaperWidth, 0, kMaxPaperPicture);
  pic.PaperHeight = TruncToInt(S.PaperHeight, 0, kMaxPaperPicture);
  pic.Cards.clear();
  const int columns = std::min(S.Retu, MaxDrawnCount);
  const int rows = std::min(S.Dann, MaxDrawnCount);
  const long double w = S.Mm[plWidth], h = S.Mm[plHeight];
  constexpr int lo = -kMaxPaperPicture * 100, hi = kMaxPaperPicture * 100;
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      pic.Cards.emplace_back(TruncToInt((w + S.Mm[plInsideX]) * i + S.Mm[plLeft] + 0.5L, lo, hi),
                             TruncToInt((h + S.Mm[plInsideY]) * j + S.Mm[plTop] + 0.5L, lo, hi),
                             TruncToInt(w + 0.5L, lo, hi), TruncToInt(h + 0.5L, lo, hi));
    }
  }
}

bool PageSetupRules::PaperSizeCBClick(int index) {
  if (index == psA4) {
    S.PaperWidth = kA4Width;
    S.PaperHeight = kA4Height;
  } else if (index == psLetter) {
    S.PaperWidth = kLetterWidth;
    S.PaperHeight = kLetterHeight;
  } else {
    return true;
  }
  S.PaperSizeIndex = index;
  ++S.PaperSizeChoices;
  return Recompute();
}

bool PageSetupRules::TanniInchRBClick() {
  if (S.PageUnit != puMillimetre) return true;
  return Guarded([&] {
    S.PageUnit = puInch;
    // Through the 0.2 mm grid: a typed value becomes whole pixels first.
    for (PageLength l : kEditable)
      if (F(kFieldOf[l]).Modified) S.Px[l] = MmToPixels(ParseDecimal(F(kFieldOf[l]).Text));
    for (int l = 0; l < PageLengthCount; ++l) {
      S.Inch[l] = PixelsToInches(S.Px[l]);
      ShowLength(static_cast<PageLength>(l));
    }
    for (PageLength l : kEditable) F(kFieldOf[l]).Modified = false;
  });
}

bool PageSetupRules::TanniMmRBClick() {
  if (S.PageUnit != puInch) return true;
  return Guarded([&] {
    S.PageUnit = puMillimetre;
    for (PageLength l : kEditable)
      if (F(kFieldOf[l]).Modified) S.Px[l] = InchesToPixels(ParseDecimal(F(kFieldOf[l]).Text));
    for (int l = 0; l < PageLengthCount; ++l) {
      S.Mm[l] = PixelsToMm(S.Px[l]);
      ShowLength(static_cast<PageLength>(l));
    }
    for (PageLength l : kEditable) F(kFieldOf[l]).Modified = false;
  });
}

void PageSetupRules::ExitSheetField(PageField f) {
  const PageLength l = f == PageField::Width ? plWidth : plHeight;
  float& freeMm = f == PageField::Width ? S.FreeSheetWidth : S.FreeSheetHeight;
  std::int32_t& freePx = f == PageField::Width ? S.FreeSheetWidthPx : S.FreeSheetHeightPx;
  if (F(f).Text.isEmpty()) SetField(f, QStringLiteral("0"));
  // A card a worksheet cannot be made for is refused here; 0 waits for OK.
  auto check = [&](float mm, std::int32_t px) {
    if (!(mm == 0.0f && px == 0) && !(PageLimits::SheetMmOk(mm) && PageLimits::SheetPixelsOk(px)))
      throw OutOfRange{f, kSheetTooLarge};
  };
  if (S.PageUnit == puInch) {
    if (F(f).Modified) {
      const float inches = ParseDecimal(F(f).Text);
      // Kept as a single, and the card size is not snapped to the pixel.
      const float px = ToSingle(static_cast<long double>(inches) * Units::PixelsPerInch);
      const float mm = ToSingle(static_cast<long double>(px) * Units::MmPerPixel);
      check(mm, RoundToPixels(px));
      S.Inch[l] = inches;
      S.Px[l] = RoundToPixels(px);
      S.Mm[l] = mm;
      freeMm = S.Mm[l];
      freePx = S.Px[l];
    }
    SetField(f, FormatInch(S.Inch[l]));
  } else {
    if (F(f).Modified) {
      const float typed = ParseDecimal(F(f).Text);
      SetField(f, FormatMm(typed));
      const float mm = ParseDecimal(F(f).Text);
      check(mm, MmToPixels(mm));
      S.Mm[l] = mm;
      S.Px[l] = MmToPixels(S.Mm[l]);
      freeMm = S.Mm[l];
      freePx = S.Px[l];
    }
    SetField(f, FormatMm(S.Mm[l]));
  }
  F(f).Modified = false;
  DoRecompute();
}

bool PageSetupRules::FieldExit(PageField f) {
  if (f == PageField::Width || f == PageField::Height) return Guarded([&] { ExitSheetField(f); });
  return Recompute();
}

bool PageSetupRules::AcceptName(const QString& name) const { return AcceptSetupName(name, FLists.Table()); }

bool PageSetupRules::RegisterSetup(const QString& name) {
  if (!S.NewBtnEnabled || S.ListIndex != 0) return true;
  PageSetup values;
  values.PaperWidth = S.PaperWidth;
  values.PaperHeight = S.PaperHeight;
  values.SheetWidth = S.Mm[plWidth];
  values.SheetHeight = S.Mm[plHeight];
  values.Retu = S.Retu;
  values.Dann = S.Dann;
  values.LeftMargin = S.Mm[plLeft];
  values.TopMargin = S.Mm[plTop];
  values.InsideMarginX = S.Mm[plInsideX];
  values.InsideMarginY = S.Mm[plInsideY];
  const int position = FLists.RegisterSetup(SetupNameBuffer::FromText(name), values);
  return YousiCBClick(position);
}

bool PageSetupRules::DeleteBtnClick() {
  if (!S.DeleteBtnEnabled) return true;
  const int position = FLists.DeleteSetup(S.ListIndex);
  return YousiCBClick(position);
}

bool PageSetupRules::OKBtnClick() {
  return Guarded([&] {
    ExitSheetField(PageField::Width);
    ExitSheetField(PageField::Height);
    DoRecompute();
  });
}

bool PageSetupRules::FormCloseQuery(bool ok) const {
  if (!ok) return true;
  if (S.Px[plWidth] <= 0 || S.Px[plHeight] <= 0) {
    ShowMessageId(kNoSheetSize);
    return false;
  }
  if (!PageLimits::SheetPixelsOk(S.Px[plWidth]) || !PageLimits::SheetPixelsOk(S.Px[plHeight]) ||
      !PageLimits::SheetMmOk(S.Mm[plWidth]) || !PageLimits::SheetMmOk(S.Mm[plHeight])) {
    ShowMessageId(kSheetTooLarge);
    return false;
  }
  return true;
}

DocumentPageSetup PageSetupRules::Result() const {
  DocumentPageSetup d;
  d.SheetWidth = S.Mm[plWidth];
  d.SheetHeight = S.Mm[plHeight];
  d.SheetWidthPx = S.Px[plWidth];
  d.SheetHeightPx = S.Px[plHeight];
  d.SetupName = S.SetupName;
  d.SetupKind = S.SetupKind;
  d.PaperWidth = S.PaperWidth;
  d.PaperHeight = S.PaperHeight;
  d.Retu = S.Retu;
  d.Dann = S.Dann;
  d.LeftMargin = S.Mm[plLeft];
  d.TopMargin = S.Mm[plTop];
  d.InsideMarginX = S.Mm[plInsideX];
  d.InsideMarginY = S.Mm[plInsideY];
  d.PageUnit = S.PageUnit;
  d.OverflowAdjust = S.OverflowAdjust;
  d.PrintTonbo = S.PrintTonbo ? 1 : 0;
  d.LegacyPageSetup = false;
  return d;
}

QPoint PageSetupRules::LayoutPanelPos(int groupRight, int scrollWidth, int scrollHeight, int panelWidth,
                                      int cancelTop) {
  return QPoint(groupRight + (scrollWidth - groupRight - panelWidth) / 2, (scrollHeight - cancelTop) / 2);
}
