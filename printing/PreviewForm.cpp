#include "PreviewForm.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <cmath>
#include <exception>

#include "CardComposition.h"
#include "DocumentPageSetup.h"
#include "GraphicsObjects.h"
#include "Image.h"
#include "MergeCard.h"
#include "MergeList.h"
#include "MergeMessages.h"
#include "PanelView.h"
#include "PrintDevice.h"
#include "Qushape.h"
#include "StringTable.h"
#include "UserInterface.h"
#include "WinControl.h"

namespace {
constexpr int kCaption = 1340, kExit = 1341, kPageSetup = 1342, kPrint = 1343, kNoSheet = 1344, kNoCards = 1345;

TPanel* NewPanel(TWinControl* parent, const QRect& bounds, TColor color) {
  auto* panel = new TPanel(parent);
  panel->SetParent(parent);
  panel->SetColor(color);
  panel->SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
  return panel;
}

// The dotted frame along a card panel's edges, below everything else on it.
void AddOutline(TPanel* card) {
  auto* outline = new TQuShape(card);
  outline->SetParent(card);
  outline->SetShape(qustRectangle);
  outline->SetLeft(0);
  outline->SetTop(0);
  outline->SetWidth(card->Width() - 1);
  outline->SetHeight(card->Height() - 1);
  outline->Pen()->SetStyle(psDot);
}
}  // namespace

TPreviewForm::TPreviewForm(TPreviewHooks hooks, QWidget* parent)
    : QDialog(parent), FHooks(std::move(hooks)), FPreviewPanel(std::make_unique<TPanel>(nullptr)) {
  setWindowTitle(LoadStr(kCaption));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  resize(ClientWidth, ClientHeight);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  TopBar = new QWidget(this);
  TopBar->setObjectName(QStringLiteral("TopBar"));
  TopBar->setFixedHeight(TopBarHeight);
  auto button = [this](const char* name, int id, int left) {
    auto* b = new QPushButton(LoadStr(id), TopBar);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 16, 80, 25);
    b->setAutoDefault(false);
    return b;
  };
  ExitBtn = button("ExitBtn", kExit, 16);
  PageSetDlgBtn = button("PageSetDlgBtn", kPageSetup, 112);
  PrintBtn = button("PrintBtn", kPrint, 208);
  layout->addWidget(TopBar);
  if (MergeMode()) {
    BuildMergeBar(this);
    layout->addWidget(MergeBar);
  }

  ScrollBox = new QScrollArea(this);
  ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
  ScrollBox->setWidgetResizable(false);
  ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(ScrollBox, 1);

  FPreviewPanel->SetName("PreviewPanel");
  FPreviewPanel->SetColor(clBtnShadow);
  FPreviewPanel->SetBounds(SheetLeft, SheetTop, 0, 0);
  FSheetHost = new QWidget;
  FSheetHost->setObjectName(QStringLiteral("PreviewPanelHolder"));
  PreviewView = new PanelView(FPreviewPanel.get(), FSheetHost);
  PreviewView->setObjectName(QStringLiteral("PreviewPanel"));
  // The copies on the sheet are for looking at only.
  PreviewView->setAttribute(Qt::WA_TransparentForMouseEvents);
  ScrollBox->setWidget(FSheetHost);
  SheetResized();

  connect(ExitBtn, &QPushButton::clicked, this, [this] { ExitBtnClick(); });
  connect(PageSetDlgBtn, &QPushButton::clicked, this, [this] { PageSetDlgBtnClick(); });
  connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
}

void TPreviewForm::BuildMergeBar(QWidget* parent) {
  setWindowTitle(LoadStr(MergeText::PreviewCaption).arg(FHooks.Merge->ListName));
  MergeBar = new QWidget(parent);
  MergeBar->setObjectName(QStringLiteral("MergeBar"));
  auto* row = new QHBoxLayout(MergeBar);
  row->setContentsMargins(16, 0, 16, 8);
  auto* layoutLabel = new QLabel(LoadStr(MergeText::LayoutLabel), MergeBar);
  LayoutCB = new QComboBox(MergeBar);
  LayoutCB->setObjectName(QStringLiteral("LayoutCB"));
  LayoutCB->addItem(LoadStr(MergeText::LayoutPerSheet));
  LayoutCB->addItem(LoadStr(MergeText::LayoutPerCell));
  LayoutCB->setCurrentIndex(FHooks.Merge->Layout == TMergeLayout::PerCell ? 1 : 0);
  layoutLabel->setBuddy(LayoutCB);
  auto arrow = [this](const char* name, const QString& glyph, int tip) {
    auto* b = new QToolButton(MergeBar);
    b->setObjectName(QLatin1String(name));
    b->setText(glyph);
    b->setToolTip(LoadStr(tip));
    b->setAutoRaise(false);
    return b;
  };
  PrevRowBtn = arrow("PrevRowBtn", QStringLiteral("◀"), MergeText::PreviousRow);
  NextRowBtn = arrow("NextRowBtn", QStringLiteral("▶"), MergeText::NextRow);
  RowLabel = new QLabel(MergeBar);
  RowLabel->setObjectName(QStringLiteral("RowLabel"));
  RowLabel->setAlignment(Qt::AlignCenter);
  RowLabel->setMinimumWidth(120);
  SheetsLabel = new QLabel(MergeBar);
  SheetsLabel->setObjectName(QStringLiteral("SheetsLabel"));
  row->addWidget(layoutLabel);
  row->addWidget(LayoutCB);
  row->addSpacing(16);
  row->addWidget(PrevRowBtn);
  row->addWidget(RowLabel);
  row->addWidget(NextRowBtn);
  row->addSpacing(16);
  row->addWidget(SheetsLabel);
  row->addStretch(1);
  connect(PrevRowBtn, &QToolButton::clicked, this, [this] { PrevRowBtnClick(); });
  connect(NextRowBtn, &QToolButton::clicked, this, [this] { NextRowBtnClick(); });
  connect(LayoutCB, &QComboBox::currentIndexChanged, this, [this] { LayoutCBChange(); });
  UpdateMergeBar();
}

TPreviewForm::~TPreviewForm() {
  // The view lets go of the sheet before the sheet and its cards go.
  PreviewView->Detach();
  ClearSheet();
}

// ---- The sheet -------------------------------------------------------------------

void TPreviewForm::ClearSheet() {
  FCardPanels.clear();
  FCardRows.clear();
  delete FPrintArea;  // with every card on it
  FPrintArea = nullptr;
}

void TPreviewForm::SheetResized() {
  const TPanel& sheet = *FPreviewPanel;
  FSheetHost->resize(sheet.Left() + sheet.Width(), sheet.Top() + sheet.Height());
  PreviewView->setGeometry(sheet.BoundsRect());
  PreviewView->update();
}

TOutcome TPreviewForm::Rebuild() {
  ClearSheet();
  FLayout.reset();
  const TPreviewDocument doc = FHooks.Document ? FHooks.Document() : TPreviewDocument{};
  IPrintDevice* device = FHooks.Device ? FHooks.Device() : nullptr;
  // The quantities are readable without a job: nothing is begun, so nothing
  // can be left behind, printed or written by looking.
  if (device) FLayout = TPreviewLayout::FromCaps(TPreviewCaps::Read(*device));
  if (!FLayout) {
    FPreviewPanel->SetBounds(SheetLeft, SheetTop, 0, 0);
    SheetResized();
    return TOutcome::Refused(LoadStr(kNoSheet));
  }
  const TPreviewLayout& layout = *FLayout;
  FPreviewPanel->SetBounds(SheetLeft, SheetTop, layout.PanelSize.width(), layout.PanelSize.height());
  SheetResized();
  FPrintArea = NewPanel(FPreviewPanel.get(), layout.PrintableArea, clWhite);
  if (!doc.Setup) return {};

  TCardComposition card =
      ComposeCard(doc.Background, doc.Objects, doc.Setup->SheetWidthPx, doc.Setup->SheetHeightPx, false);
  // The places follow the page setup's card size; a printer's scale then
  // stretches the card itself, by its scale across (one scale fits a panel).
  const TPrintCorrection correction =
      layout.Correction(FHooks.Calibration ? FHooks.Calibration() : TPrinterCalibration{});
  const QSize cardSize(MulDiv(doc.Setup->SheetWidthPx, layout.s, 100), MulDiv(doc.Setup->SheetHeightPx, layout.s, 100));
  ScaleComposition(card, correction.Scales() ? int(std::lround(layout.s * correction.Sx())) : layout.s);
  // Fitted where the text is measured, so no card shows less than prints.
  WidenLabels(card);
  // Merge mode fills the card in for the row of each cell first.
  std::optional<TMergeCard> merge;
  const std::optional<TMergePlan> plan = Plan();
  if (plan) {
    merge.emplace(card, false);
    merge->Bind(FHooks.Merge->List->Columns);
  }
  const int sheet = MergeSheet();
  int filled = -1;
  const TControl* background = card.Background;
  for (const TPreviewCell& cell : layout.VisibleCells(*doc.Setup, cardSize, correction)) {
    TPanel* panel = NewPanel(FPrintArea, cell.Bounds, clWhite);
    AddOutline(panel);
    FCardPanels.push_back(panel);
    const int row = plan ? plan->RowAt(sheet, cell.Column, cell.Row) : -1;
    if (plan) {
      FCardRows.push_back(row);
      if (row < 0) continue;  // printed empty
      // A code that cannot hold its row keeps its picture here; printing says why.
      if (row != filled) (void)merge->Apply(FHooks.Merge->List->Rows[size_t(row)]);
      filled = row;
    }
    // Each background copy is the source of the next.
    if (background)
      if (TControl* copy = StreamCopy(*background, panel)) background = copy;
    for (const TControl* object : card.Copies) StreamCopy(*object, panel);
  }
  return {};
}

// ---- Merge mode ---------------------------------------------------------------------

std::optional<TMergePlan> TPreviewForm::Plan() const {
  if (!FHooks.Merge || !FHooks.Merge->List) return std::nullopt;
  const TPreviewDocument doc = FHooks.Document ? FHooks.Document() : TPreviewDocument{};
  const int columns = doc.Setup ? doc.Setup->Retu : 1, rows = doc.Setup ? doc.Setup->Dann : 1;
  return TMergePlan(FHooks.Merge->List->RowCount(), columns, rows, MergeLayout());
}

TMergeLayout TPreviewForm::MergeLayout() const {
  if (!FHooks.Merge) return TMergeLayout::PerSheet;
  return LayoutCB && LayoutCB->currentIndex() == 1 ? TMergeLayout::PerCell : TMergeLayout::PerSheet;
}

int TPreviewForm::MergeSheet() const {
  const std::optional<TMergePlan> plan = Plan();
  return plan ? plan->SheetOf(FMergeRow) : 0;
}

void TPreviewForm::SetMergeRow(int row) {
  if (!FHooks.Merge || !FHooks.Merge->List) return;
  FMergeRow = std::clamp(row, 0, std::max(FHooks.Merge->List->RowCount() - 1, 0));
  UpdateMergeBar();
  FormActivate();
}

void TPreviewForm::PrevRowBtnClick() {
  const std::optional<TMergePlan> plan = Plan();
  if (!plan) return;
  const int sheet = plan->SheetOf(FMergeRow);
  if (sheet > 0) SetMergeRow(plan->FirstRowOn(sheet - 1));
}

void TPreviewForm::NextRowBtnClick() {
  const std::optional<TMergePlan> plan = Plan();
  if (!plan) return;
  const int sheet = plan->SheetOf(FMergeRow);
  if (sheet + 1 < plan->Sheets()) SetMergeRow(plan->FirstRowOn(sheet + 1));
}

void TPreviewForm::LayoutCBChange() {
  if (FHooks.Merge && FHooks.Merge->LayoutChosen) FHooks.Merge->LayoutChosen(MergeLayout());
  // The row shown stays; the sheet around it changes.
  SetMergeRow(FMergeRow);
}

void TPreviewForm::UpdateMergeBar() {
  const std::optional<TMergePlan> plan = Plan();
  if (!MergeBar || !plan) return;
  const int rows = FHooks.Merge->List->RowCount();
  const int sheet = plan->SheetOf(FMergeRow);
  const int first = plan->FirstRowOn(sheet) + 1, last = plan->LastRowOn(sheet) + 1;
  RowLabel->setText(first == last ? LoadStr(MergeText::RowOfRows).arg(first).arg(rows)
                                  : LoadStr(MergeText::RowsOfRows).arg(first).arg(last).arg(rows));
  SheetsLabel->setText(LoadStr(MergeText::SheetCount).arg(plan->Sheets()));
  PrevRowBtn->setEnabled(sheet > 0);
  NextRowBtn->setEnabled(sheet + 1 < plan->Sheets());
}

void TPreviewForm::FormActivate() {
  // A message box shown from here activates the window again when it closes.
  if (FRebuilding) return;
  FRebuilding = true;
  TOutcome built;
  try {
    built = Rebuild();
  } catch (const std::exception& e) {
    // A card that cannot be copied (a picture too large for memory) leaves
    // the sheet without cards.
    ClearSheet();
    built = TOutcome::Failed(LoadStr(kNoCards).arg(QString::fromLocal8Bit(e.what())));
  }
  FRebuilding = false;
  if (built.Ok()) {
    FFailureShown = false;
    return;
  }
  // Once, not at every activation that the message box itself causes.
  if (FFailureShown) return;
  FFailureShown = true;
  UI().ShowError(built.Reason());
}

// ---- Buttons ------------------------------------------------------------------------

void TPreviewForm::ExitBtnClick() { close(); }

void TPreviewForm::PageSetDlgBtnClick() {
  if (FHooks.PageSetup) FHooks.PageSetup();
  // The cells on a sheet may have changed, and with them the sheets.
  UpdateMergeBar();
  FormActivate();
}

void TPreviewForm::PrintBtnClick() {
  if (FHooks.Print) FHooks.Print();
  FormActivate();
}

// ---- Window events and bounds ---------------------------------------------------------

void TPreviewForm::OpenAt(const QRect& bounds, bool maximized) {
  setGeometry(bounds);
  if (maximized) setWindowState(windowState() | Qt::WindowMaximized);
  FBounds.Opened(bounds, maximized);
}

TRememberedBounds TPreviewForm::RememberedBounds() const {
  const Qt::WindowStates state = windowState();
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  if (state & Qt::WindowMinimized) return FBounds.Closed(TPreviewWindowBounds::csMinimized, normal);
  if (state & Qt::WindowMaximized) return FBounds.Closed(TPreviewWindowBounds::csMaximized, normal);
  return FBounds.Closed(TPreviewWindowBounds::csNormal, geometry());
}

void TPreviewForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Headless there may be no activation; the sheet is built on showing.
  FormActivate();
}

void TPreviewForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    const Qt::WindowStates now = windowState();
    const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    const bool maximizedNow = (now & Qt::WindowMaximized) && !(now & Qt::WindowMinimized);
    const bool normalNow = !(now & (Qt::WindowMaximized | Qt::WindowMinimized));
    if (maximizedNow && !(before & (Qt::WindowMaximized | Qt::WindowMinimized))) {
      // Before this event the window's geometry may already be the maximized one.
      FBounds.Maximizing(normalGeometry().isValid() ? normalGeometry() : geometry());
    } else if (normalNow && (before & Qt::WindowMaximized)) {
      FBounds.RestoredFromMaximized();
    }
  } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) {
    FormActivate();
  }
  QDialog::changeEvent(event);
}
