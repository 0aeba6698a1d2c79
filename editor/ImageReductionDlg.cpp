#include "ImageReductionDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "DialogFrame.h"
#include "DialogPlacement.h"
#include "Graphic.h"
#include "Image.h"
#include "PanelView.h"
#include "Picture.h"
#include "StringTable.h"
#include "UnitField.h"
#include "WinControl.h"

namespace {

constexpr int kCaption = 1410, kWidth = 1411, kHeight = 1412, kFixedRate = 1413, kUnit = 1414, kMm = 1415,
              kInch = 1416, kPixel = 1417, kOK = 1418, kCancel = 1419, kPreview = 1420;
constexpr int kClientWidth = 404, kClientHeight = 268;
// The preview's bars: the horizontal one along the bottom, the vertical one
// along the right; the picture shows in the room they leave.
constexpr int kHBarHeight = 14, kVBarWidth = 16, kCoverSide = 16;
constexpr int kBesideVBar = 168, kAboveHBar = 170;

QPushButton* NewButton(int text, const char* name, QWidget* parent, const QRect& r) {
  auto* button = new QPushButton(LoadStr(text), parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(r);
  return button;
}

}  // namespace

TImageReductionDlg::TImageReductionDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ImageReductionDlg"));
  setWindowTitle(LoadStr(kCaption));
  setFixedSize(kClientWidth, kClientHeight);
  SetDialogFrame(this);

  auto addField = [this](QLabel*& label, UnitField*& field, int text, const char* labelName, const char* fieldName,
                         int y) {
    label = new QLabel(LoadStr(text), this);
    label->setObjectName(QLatin1String(labelName));
    label->setGeometry(16, y, 76, 24);
    field = new UnitField(this);
    field->setObjectName(QLatin1String(fieldName));
    field->setGeometry(96, y, 92, 24);
    label->setBuddy(field);
  };
  addField(WidthLabel, ImageWidthMemo, kWidth, "WidthLabel", "ImageWidthMemo", 16);
  addField(HeightLabel, ImageHeightMemo, kHeight, "HeightLabel", "ImageHeightMemo", 48);
  connect(ImageWidthMemo, &UnitField::Edited, this, &TImageReductionDlg::ImageWidthMemoChange);
  connect(ImageWidthMemo, &UnitField::Left, this, &TImageReductionDlg::ImageWidthMemoExit);
  connect(ImageHeightMemo, &UnitField::Edited, this, &TImageReductionDlg::ImageHeightMemoChange);
  connect(ImageHeightMemo, &UnitField::Left, this, &TImageReductionDlg::ImageHeightMemoExit);

  FixedRateCB = new QCheckBox(LoadStr(kFixedRate), this);
  FixedRateCB->setObjectName(QStringLiteral("FixedRateCB"));
  FixedRateCB->setGeometry(16, 82, 172, 22);
  connect(FixedRateCB, &QCheckBox::clicked, this, &TImageReductionDlg::FixedRateCBClick);

  GroupBox = new QGroupBox(LoadStr(kUnit), this);
  GroupBox->setObjectName(QStringLiteral("GroupBox"));
  GroupBox->setGeometry(16, 110, 172, 100);
  auto addUnit = [this](QRadioButton*& button, const char* name, int text, int y, TEditorUnit unit) {
    button = new QRadioButton(LoadStr(text), GroupBox);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(14, y, 150, 22);
    connect(button, &QRadioButton::clicked, this, [this, unit] { TanniClick(unit); });
  };
  addUnit(TanniMmRB, "TanniMmRB", kMm, 20, TEditorUnit::Mm);
  addUnit(TanniInRB, "TanniInRB", kInch, 44, TEditorUnit::Inch);
  addUnit(TanniPixRB, "TanniPixRB", kPixel, 68, TEditorUnit::Pixel);

  OKBtn = NewButton(kOK, "OKBtn", this, QRect(16, 226, 82, 28));
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &TImageReductionDlg::OKBtnClick);
  CancelBtn = NewButton(kCancel, "CancelBtn", this, QRect(106, 226, 82, 28));
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

  BuildPreview();
  ImagePreviewBtn = NewButton(kPreview, "ImagePreviewBtn", this,
                              QRect(204, 226, TImageReductionRules::PreviewSize, 28));
  connect(ImagePreviewBtn, &QPushButton::clicked, this, &TImageReductionDlg::ImagePreviewBtnClick);
}

TImageReductionDlg::~TImageReductionDlg() {
  // The view points into the panel, which goes before the widgets do.
  if (FPreviewView) FPreviewView->Detach();
}

void TImageReductionDlg::BuildPreview() {
  constexpr int side = TImageReductionRules::PreviewSize;
  ImagePreviewPanel = new QWidget(this);
  ImagePreviewPanel->setObjectName(QStringLiteral("ImagePreviewPanel"));
  ImagePreviewPanel->setGeometry(204, 16, side, side);
  ImagePreviewPanel->setAutoFillBackground(true);

  FPreviewPanel = std::make_unique<TPanel>(nullptr);
  FPreviewPanel->SetColor(clBtnFace);
  FPreviewPanel->SetBounds(0, 0, side, side);
  PreviewImage = new TImage(FPreviewPanel.get());
  PreviewImage->SetParent(FPreviewPanel.get());
  PreviewImage->SetStretch(true);
  PreviewImage->SetEnabled(false);
  FPreviewView = new PanelView(FPreviewPanel.get(), ImagePreviewPanel);
  FPreviewView->setObjectName(QStringLiteral("PreviewImage"));

  IPHScrollBar = new QScrollBar(Qt::Horizontal, ImagePreviewPanel);
  IPHScrollBar->setObjectName(QStringLiteral("IPHScrollBar"));
  IPHScrollBar->setSingleStep(TImageReductionRules::BarSmallStep);
  connect(IPHScrollBar, &QScrollBar::valueChanged, this, &TImageReductionDlg::IPHScrollBarChange);
  IPVScrollBar = new QScrollBar(Qt::Vertical, ImagePreviewPanel);
  IPVScrollBar->setObjectName(QStringLiteral("IPVScrollBar"));
  IPVScrollBar->setSingleStep(TImageReductionRules::BarSmallStep);
  connect(IPVScrollBar, &QScrollBar::valueChanged, this, &TImageReductionDlg::IPVScrollBarChange);
  MekakushiPanel = new QWidget(ImagePreviewPanel);
  MekakushiPanel->setObjectName(QStringLiteral("MekakushiPanel"));
  MekakushiPanel->setGeometry(side - kCoverSide, side - kCoverSide, kCoverSide, kCoverSide);
  MekakushiPanel->setAutoFillBackground(true);
  LayOutPreview(0, 0);
}

void TImageReductionDlg::HandIn(const TGraphic* graphic, int widthPx, int heightPx, TEditorUnit unit,
                                bool keepAspect) {
  PreviewImage->Picture()->SetGraphic(graphic ? graphic->Clone() : nullptr);
  FRules.Open(widthPx, heightPx, unit, keepAspect);
  Refresh();
  LayOutPreview(widthPx, heightPx);
}

void TImageReductionDlg::LayOutPreview(int w, int h) {
  constexpr int side = TImageReductionRules::PreviewSize;
  FLayout = TImageReductionRules::PreviewLayoutFor(w, h);
  FShowing = true;
  // The picture shows in the room the bars leave.
  const int roomWidth = FLayout.VBarVisible ? kBesideVBar : side;
  const int roomHeight = FLayout.HBarVisible ? kAboveHBar : side;
  FPreviewPanel->SetBounds(0, 0, roomWidth, roomHeight);
  FPreviewView->setGeometry(0, 0, roomWidth, roomHeight);
  PreviewImage->SetBounds(FLayout.ImagePos.x(), FLayout.ImagePos.y(), w, h);

  IPHScrollBar->setVisible(FLayout.HBarVisible);
  IPHScrollBar->setGeometry(0, side - kHBarHeight, FLayout.HBarLength, kHBarHeight);
  IPHScrollBar->setRange(0, FLayout.HBarMax);
  IPHScrollBar->setPageStep(FLayout.HBarPage);
  IPHScrollBar->setValue(0);
  IPVScrollBar->setVisible(FLayout.VBarVisible);
  IPVScrollBar->setGeometry(side - kVBarWidth, 0, kVBarWidth, FLayout.VBarLength);
  IPVScrollBar->setRange(0, FLayout.VBarMax);
  IPVScrollBar->setPageStep(FLayout.VBarPage);
  IPVScrollBar->setValue(0);
  MekakushiPanel->setVisible(FLayout.CoverVisible);
  MekakushiPanel->raise();
  FShowing = false;
  FPreviewView->update();
}

void TImageReductionDlg::Refresh() {
  FShowing = true;
  const TEditorUnit unit = FRules.Unit();
  TanniMmRB->setChecked(unit == TEditorUnit::Mm);
  TanniInRB->setChecked(unit == TEditorUnit::Inch);
  TanniPixRB->setChecked(unit == TEditorUnit::Pixel);
  FixedRateCB->setChecked(FRules.FixedRatio());
  for (auto [field, side] : {std::pair{ImageWidthMemo, TPictureSide::Width}, {ImageHeightMemo, TPictureSide::Height}}) {
    field->SetUnit(unit);
    if (field->text() != FRules.Text(side)) field->ShowText(FRules.Text(side));
  }
  FShowing = false;
}

void TImageReductionDlg::TanniClick(TEditorUnit unit) {
  FRules.UnitClicked(unit);
  Refresh();
}

void TImageReductionDlg::ImageWidthMemoChange(const QString& text) {
  if (FShowing) return;
  FRules.FieldChanged(TPictureSide::Width, text);
  Refresh();
}

void TImageReductionDlg::ImageHeightMemoChange(const QString& text) {
  if (FShowing) return;
  FRules.FieldChanged(TPictureSide::Height, text);
  Refresh();
}

void TImageReductionDlg::ImageWidthMemoExit() {
  FRules.FieldExit(TPictureSide::Width);
  Refresh();
}

void TImageReductionDlg::ImageHeightMemoExit() {
  FRules.FieldExit(TPictureSide::Height);
  Refresh();
}

void TImageReductionDlg::FixedRateCBClick() {
  if (FShowing) return;
  FRules.FixedRateClicked(FixedRateCB->isChecked());
  Refresh();
}

void TImageReductionDlg::ImagePreviewBtnClick() {
  if (!FRules.CheckSize()) return;
  LayOutPreview(FRules.WidthPx(), FRules.HeightPx());
}

void TImageReductionDlg::IPHScrollBarChange(int position) {
  if (FShowing) return;
  PreviewImage->SetBounds(-position, PreviewImage->Top(), PreviewImage->Width(), PreviewImage->Height());
}

void TImageReductionDlg::IPVScrollBarChange(int position) {
  if (FShowing) return;
  PreviewImage->SetBounds(PreviewImage->Left(), -position, PreviewImage->Width(), PreviewImage->Height());
}

void TImageReductionDlg::OKBtnClick() {
  // Enter presses OK while the caret is still in a field: its exit rule runs
  // first, as on leaving it, and a refused text keeps the dialog open.
  const QWidget* field = focusWidget();
  if (field == ImageWidthMemo || field == ImageHeightMemo) {
    const bool taken = FRules.FieldExit(field == ImageWidthMemo ? TPictureSide::Width : TPictureSide::Height);
    Refresh();
    if (!taken) return;
  }
  if (FRules.CheckSize()) accept();
}

void TImageReductionDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}
