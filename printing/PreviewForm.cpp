#include "PreviewForm.h"

#include <QEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include <cmath>
#include <exception>

#include "CardComposition.h"
#include "DocumentPageSetup.h"
#include "GraphicsObjects.h"
#include "Image.h"
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

TPreviewForm::~TPreviewForm() {
  // The view lets go of the sheet before the sheet and its cards go.
  PreviewView->Detach();
  ClearSheet();
}

// ---- The sheet -------------------------------------------------------------------

void TPreviewForm::ClearSheet() {
  FCardPanels.clear();
  delete FPrintArea;  // with every card on it
  FPrintArea = nullptr;
}

void TPreviewForm::SheetResized() {
  const TPanel& sheet = *FPreviewPanel;
  FSheetHost->resize(sheet.Left() + sheet.Width(), sheet.Top() + sheet.Height());
  PreviewView->setGeometry(sheet.BoundsRect());
  PreviewView->update();
}

bool TPreviewForm::Rebuild(QString* error) {
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
    if (error) *error = LoadStr(kNoSheet);
    return false;
  }
  const TPreviewLayout& layout = *FLayout;
  FPreviewPanel->SetBounds(SheetLeft, SheetTop, layout.PanelSize.width(), layout.PanelSize.height());
  SheetResized();
  FPrintArea = NewPanel(FPreviewPanel.get(), layout.PrintableArea, clWhite);
  if (!doc.Setup) return true;

  TCardComposition card =
      ComposeCard(doc.Background, doc.Objects, doc.Setup->SheetWidthPx, doc.Setup->SheetHeightPx, false);
  // The places follow the page setup's card size; a printer's scale then
  // stretches the card itself, by its scale across (one scale fits a panel).
  const TPrintCorrection correction =
      layout.Correction(FHooks.Calibration ? FHooks.Calibration() : TPrinterCalibration{});
  const QSize cardSize(MulDiv(doc.Setup->SheetWidthPx, layout.s, 100), MulDiv(doc.Setup->SheetHeightPx, layout.s, 100));
  ScaleComposition(card, correction.Scales() ? int(std::lround(layout.s * correction.Sx())) : layout.s);
  const TControl* background = card.Background;
  for (const TPreviewCell& cell : layout.VisibleCells(*doc.Setup, cardSize, correction)) {
    TPanel* panel = NewPanel(FPrintArea, cell.Bounds, clWhite);
    AddOutline(panel);
    // Each background copy is the source of the next.
    if (background)
      if (TControl* copy = StreamCopy(*background, panel)) background = copy;
    for (const TControl* object : card.Copies) StreamCopy(*object, panel);
    FCardPanels.push_back(panel);
  }
  return true;
}

void TPreviewForm::FormActivate() {
  // A message box shown from here activates the window again when it closes.
  if (FRebuilding) return;
  FRebuilding = true;
  QString error;
  bool built = false;
  try {
    built = Rebuild(&error);
  } catch (const std::exception& e) {
    // A card that cannot be copied (a picture too large for memory) leaves
    // the sheet without cards.
    ClearSheet();
    error = LoadStr(kNoCards).arg(QString::fromLocal8Bit(e.what()));
  }
  FRebuilding = false;
  if (built) {
    FFailureShown = false;
    return;
  }
  // Once, not at every activation that the message box itself causes.
  if (FFailureShown) return;
  FFailureShown = true;
  UI().ShowError(error);
}

// ---- Buttons ------------------------------------------------------------------------

void TPreviewForm::ExitBtnClick() { close(); }

void TPreviewForm::PageSetDlgBtnClick() {
  if (FHooks.PageSetup) FHooks.PageSetup();
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
