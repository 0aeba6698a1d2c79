#pragma once
// What the page setup dialog does with its values, without its widgets: the
// setup list and its selection, the numeric fields (text, modified mark,
// enabled), the unit, the computed margins and the layout picture. The dialog
// forwards each event to the method of the same name and then shows the state;
// a field's change is forwarded only when the user made it, not when the
// dialog shows the state (the rules already filtered and marked that text).
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

#include "DocumentPageSetup.h"
#include "PageSetupLimits.h"
#include "SetupLists.h"

enum class PageField {
  Width,
  Height,
  Retu,
  Dann,
  TopMargin,
  LMargin,
  BottomMargin,  // computed, always disabled
  RMargin,       // computed, always disabled
  InsideMarginX,
  InsideMarginY,
};
inline constexpr int PageFieldCount = 10;

// The eight lengths, each held in millimetres with a pixel and an inch copy.
enum PageLength { plWidth, plHeight, plTop, plLeft, plInsideX, plInsideY, plBottom, plRight };
inline constexpr int PageLengthCount = 8;

struct FieldState {
  QString Text;
  bool Modified = false;
  bool Enabled = false;
  // Text and mark as the last completed event left them: what a refused
  // entry goes back to.
  QString Accepted;
  bool AcceptedModified = false;
};

// The sheet drawn to scale, one pixel per millimetre.
struct LayoutPicture {
  int PaperWidth = 0;
  int PaperHeight = 0;
  std::vector<QRect> Cards;  // column by column, each top to bottom
};

class PageSetupRules {
 public:
  enum PaperSize { psNone = -1, psA4 = 0, psLetter = 1 };
  // Columns and rows drawn at most: what the two-digit fields can hold.
  static constexpr int MaxDrawnCount = 99;
  // The largest card a worksheet is made for, in worksheet pixels.
  static constexpr int MaxSheetPixels = PageLimits::MaxSheetPixels;

  // Reads both setup lists from folders (by default this program's).
  explicit PageSetupRules(const ProgramFolders& folders = {});

  // Opening from the page setup command: the document's values.
  void HandIn(const DocumentPageSetup& doc);
  // Opening for a new document: nothing handed in, the first named setup
  // preselected.
  void StartNewDocument();
  void SetOverflowAdjust(int v);
  void SetPrintTonbo(bool on) { S.PrintTonbo = on; }

  // ---- Events. Those that parse a field return false when a field was not a
  // number, or a value beyond the page-setup limits: the error has been shown
  // and the state is as before the event (a value out of range also goes back
  // to what its field showed before).
  bool FormActivate();
  bool YousiCBClick(int position);
  bool YousiCBChange() { return Recompute(); }
  bool PaperSizeCBClick(int index);
  bool PaperSizeCBChange() { return Recompute(); }
  bool TanniMmRBClick();
  bool TanniInchRBClick();
  // The field's text changed (typed or pasted): filter, then mark.
  void FieldChanged(PageField f, const QString& text);
  bool FieldExit(PageField f);
  // After the name dialog closed with OK and AcceptName said yes.
  bool RegisterSetup(const QString& name);
  bool AcceptName(const QString& name) const;
  bool DeleteBtnClick();
  // False when a field could not be read; the dialog then stays open.
  bool OKBtnClick();
  // The close check: OK needs a card size (message 1040) a worksheet can
  // hold. Cancel always closes.
  bool FormCloseQuery(bool ok) const;

  // ---- State shown by the dialog.
  QStringList ListItems() const;  // "自由設定", then the setup names
  int ListIndex() const { return S.ListIndex; }
  const FieldState& Field(PageField f) const { return S.Fields[static_cast<int>(f)]; }
  int PaperSizeIndex() const { return S.PaperSizeIndex; }
  // Counts the times an entry of the paper list was chosen (by the user or
  // by matching the paper); typing in the list's field chooses none.
  int PaperSizeChoices() const { return S.PaperSizeChoices; }
  bool PaperSizeEnabled() const { return S.PaperSizeEnabled; }
  bool NewBtnEnabled() const { return S.NewBtnEnabled; }
  bool DeleteBtnEnabled() const { return S.DeleteBtnEnabled; }
  std::int32_t PageUnit() const { return S.PageUnit; }
  int OverflowAdjust() const { return S.OverflowAdjust; }
  bool PrintTonbo() const { return S.PrintTonbo; }
  const LayoutPicture& Layout() const { return S.Layout; }
  const SetupTable& Table() const { return FLists.Table(); }

  // ---- Values.
  float Mm(PageLength l) const { return S.Mm[l]; }
  std::int32_t Px(PageLength l) const { return S.Px[l]; }
  float Inch(PageLength l) const { return S.Inch[l]; }
  float PaperWidth() const { return S.PaperWidth; }
  float PaperHeight() const { return S.PaperHeight; }
  std::int32_t Retu() const { return S.Retu; }
  std::int32_t Dann() const { return S.Dann; }
  const SetupNameBuffer& SetupName() const { return S.SetupName; }
  std::int32_t SetupKind() const { return S.SetupKind; }
  // What the caller takes back on OK.
  DocumentPageSetup Result() const;

  // Where the layout panel goes: centred in the room right of the layout
  // group, and vertically by the Cancel button's top. Halvings truncate.
  static QPoint LayoutPanelPos(int groupRight, int scrollWidth, int scrollHeight, int panelWidth, int cancelTop);

 private:
  struct State {
    SetupNameBuffer SetupName;
    std::int32_t SetupKind = skFree;
    float PaperWidth = 0.0f;
    float PaperHeight = 0.0f;
    std::int32_t Retu = 0;
    std::int32_t Dann = 0;
    std::array<float, PageLengthCount> Mm{};
    std::array<std::int32_t, PageLengthCount> Px{};
    std::array<float, PageLengthCount> Inch{};
    std::int32_t PageUnit = 0;
    float FreeSheetWidth = 0.0f;
    float FreeSheetHeight = 0.0f;
    std::int32_t FreeSheetWidthPx = 0;
    std::int32_t FreeSheetHeightPx = 0;
    bool StartNewDocument = false;
    bool LegacyPageSetup = false;
    bool FirstActivation = true;
    int OverflowAdjust = 0;
    bool PrintTonbo = true;
    std::array<FieldState, PageFieldCount> Fields{};
    int ListIndex = 0;
    int PaperSizeIndex = psNone;
    int PaperSizeChoices = 0;
    bool PaperSizeEnabled = true;
    bool NewBtnEnabled = false;
    bool DeleteBtnEnabled = false;
    LayoutPicture Layout;
  };

  // A typed value beyond the limits: the message to show and the field that
  // goes back.
  struct OutOfRange {
    PageField Field;
    int MessageId;
  };

  template <typename Fn>
  bool Guarded(Fn&& fn);
  void CheckLength(PageField f, float mm) const;
  FieldState& F(PageField f) { return S.Fields[static_cast<int>(f)]; }
  // The dialog sets a field's text: a change runs the filter and marks it.
  void SetField(PageField f, const QString& text);
  void ShowLength(PageLength l);
  void ApplySelection(int position);
  void MatchPaperSize();
  void ExitSheetField(PageField f);
  void DoRecompute();
  bool Recompute();

  SetupLists FLists;
  State S;
};
