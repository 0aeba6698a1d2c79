#pragma once
// TPreviewForm: the print preview window. It shows, at two screen pixels per
// millimetre, the sheet as the current printer produces it: the whole sheet
// in grey, the printable area in white and one copy of the card per cell of
// the page setup, each outlined by a dotted frame. Everything on the sheet is
// rebuilt whenever the window becomes active, so that what the page setup or
// print dialogs changed shows at once. The window knows nothing of the main
// window: what it shows and what its buttons run come through TPreviewHooks.
#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "MergePlan.h"
#include "Outcome.h"
#include "PreviewLayout.h"
#include "PreviewWindowBounds.h"
#include "PrinterCalibration.h"

class IPrintDevice;
class PanelView;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class QScrollArea;
class TControl;
class TImage;
class TPanel;
struct DocumentPageSetup;
struct TMergeList;

// The card the preview shows, read afresh at every rebuild.
struct TPreviewDocument {
  const DocumentPageSetup* Setup = nullptr;  // null: nothing to show
  const TImage* Background = nullptr;
  std::vector<TControl*> Objects;  // bottom first
};

// Merge mode: the sheets of a mail merge, one row at a time.
struct TPreviewMerge {
  const TMergeList* List = nullptr;  // outlives the window
  QString ListName;                  // shown in the caption
  TMergeLayout Layout = TMergeLayout::PerSheet;
  // Told when the user chooses the other layout.
  std::function<void(TMergeLayout)> LayoutChosen;
};

struct TPreviewHooks {
  // The printer whose sheet is shown; its quantities are read, no job is
  // ever started. Null when there is none.
  std::function<IPrintDevice*()> Device;
  std::function<TPreviewDocument()> Document;
  // The printer's corrections, so that the cards show where they will be
  // printed. None when unset.
  std::function<TPrinterCalibration()> Calibration;
  // The main window's page setup and print commands.
  std::function<void()> PageSetup;
  std::function<void()> Print;
  // Present in merge mode: the bar then offers the layout and a row chooser.
  std::optional<TPreviewMerge> Merge;
};

class TPreviewForm : public QDialog {
  Q_OBJECT
 public:
  static constexpr int ClientWidth = 587, ClientHeight = 375;
  static constexpr int TopBarHeight = 57;
  // Where the sheet lies in the scroll area.
  static constexpr int SheetLeft = 80, SheetTop = 16;

  explicit TPreviewForm(TPreviewHooks hooks, QWidget* parent = nullptr);
  ~TPreviewForm() override;

  // ---- Controls ----------------------------------------------------------
  QWidget* TopBar = nullptr;
  QPushButton* ExitBtn = nullptr;
  QPushButton* PageSetDlgBtn = nullptr;
  QPushButton* PrintBtn = nullptr;
  // Merge mode only: below the top bar.
  QWidget* MergeBar = nullptr;
  QComboBox* LayoutCB = nullptr;
  QToolButton* PrevRowBtn = nullptr;
  QToolButton* NextRowBtn = nullptr;
  QLabel* RowLabel = nullptr;
  QLabel* SheetsLabel = nullptr;
  QScrollArea* ScrollBox = nullptr;
  PanelView* PreviewView = nullptr;  // shows PreviewPanel
  // The sheet (grey where the printer cannot print).
  TPanel* PreviewPanel() const { return FPreviewPanel.get(); }
  // The white printable area on the sheet and the card panels on it, in
  // the order they were made (columns outer, rows inner); null and empty
  // when no sheet could be measured.
  TPanel* PrintArea() const { return FPrintArea; }
  const std::vector<TPanel*>& CardPanels() const { return FCardPanels; }
  const std::optional<TPreviewLayout>& Layout() const { return FLayout; }

  // ---- Merge mode -----------------------------------------------------------
  bool MergeMode() const { return FHooks.Merge.has_value(); }
  // The row shown (0-based) and the layout chosen.
  int MergeRow() const { return FMergeRow; }
  TMergeLayout MergeLayout() const;
  // The sheet shown, and the row in each card panel (-1: an empty cell).
  int MergeSheet() const;
  const std::vector<int>& CardRows() const { return FCardRows; }
  // Shows the sheet of row (clamped to the list).
  void SetMergeRow(int row);

  // ---- Window bounds -------------------------------------------------------
  // Places the window before it is shown, maximized or not.
  void OpenAt(const QRect& bounds, bool maximized);
  bool WasMaximized() const { return FBounds.WasMaximized(); }
  // What the next opening takes over, from the state the window is in now.
  TRememberedBounds RememberedBounds() const;

  // ---- Handlers --------------------------------------------------------------
  // Rebuilds the sheet; tells the user once when it cannot be measured.
  void FormActivate();
  void ExitBtnClick();
  void PageSetDlgBtnClick();
  void PrintBtnClick();
  // The row chooser: a row back or on, in the layout of a sheet per row; a
  // sheet back or on when the rows fill the cells.
  void PrevRowBtnClick();
  void NextRowBtnClick();
  void LayoutCBChange();

  // Rebuilds the sheet; refused with the reason when it cannot be measured
  // (the sheet is then left empty).
  TOutcome Rebuild();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ClearSheet();
  void SheetResized();
  void BuildMergeBar(QWidget* parent);
  void UpdateMergeBar();
  std::optional<TMergePlan> Plan() const;

  TPreviewHooks FHooks;
  std::unique_ptr<TPanel> FPreviewPanel;
  QWidget* FSheetHost = nullptr;
  TPanel* FPrintArea = nullptr;
  std::vector<TPanel*> FCardPanels;
  std::vector<int> FCardRows;
  int FMergeRow = 0;
  std::optional<TPreviewLayout> FLayout;
  TPreviewWindowBounds FBounds;
  bool FRebuilding = false;
  bool FFailureShown = false;
};
