#include "PageSetDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>

#include <algorithm>

#include "DialogFrame.h"
#include "LayoutPictureView.h"
#include "NumericField.h"
#include "SetNameInDlg.h"
#include "StringTable.h"

namespace {

constexpr int kNewDocumentCaption = 1021;

// Field geometry: a right-aligned label, then the field.
constexpr int kLabelWidth = 58, kMemoWidth = 60, kMemoHeight = 22;
constexpr int kLeftPair = 8, kRightPair = 144;

QLabel* NewLabel(const QString& text, QWidget* parent, const QRect& r, Qt::Alignment align = Qt::AlignLeft) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(r);
  label->setAlignment(align | Qt::AlignVCenter);
  return label;
}

QGroupBox* NewGroup(const QString& title, const char* name, QWidget* parent, const QRect& r) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(QLatin1String(name));
  group->setGeometry(r);
  return group;
}

QPushButton* NewButton(const QString& text, const char* name, QWidget* parent, const QRect& r) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(r);
  return button;
}

QStringList ItemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

}  // namespace

TPageSetDlg::TPageSetDlg(const ProgramFolders& folders, QWidget* parent) : QDialog(parent), FRules(folders) {
  setObjectName(QStringLiteral("PageSetDlg"));
  setWindowTitle(QStringLiteral("ページ設定"));
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  SetDialogFrame(this);
  setFixedSize(ClientWidth, ClientHeight);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setFrameShape(QFrame::NoFrame);
  ScrollBox1->setGeometry(0, 0, ClientWidth, ClientHeight);
  ScrollBox1->setWidgetResizable(false);
  auto* box = new QWidget;
  box->resize(ClientWidth, ClientHeight);
  ScrollBox1->setWidget(box);
  BuildControls(box);

  RunNameDialog = [](TSetNameInDlg& dlg) { return dlg.exec() == QDialog::Accepted; };
  Refresh();
}

void TPageSetDlg::BuildControls(QWidget* box) {
  YousiCB = new QComboBox(box);
  YousiCB->setObjectName(QStringLiteral("YousiCB"));
  YousiCB->setEditable(false);
  YousiCB->setGeometry(8, 8, 284, 24);
  connect(YousiCB, &QComboBox::activated, this, [this] { YousiCBClick(); });

  PaperSizeCB = new QComboBox(box);
  PaperSizeCB->setObjectName(QStringLiteral("PaperSizeCB"));
  PaperSizeCB->setEditable(true);
  PaperSizeCB->setInsertPolicy(QComboBox::NoInsert);
  PaperSizeCB->addItems({QStringLiteral("A4 210 x 297 mm"), QStringLiteral("Letter 8 1/2 x 11 in")});
  PaperSizeCB->setCurrentIndex(-1);
  PaperSizeCB->setGeometry(8, 36, 284, 24);
  connect(PaperSizeCB, &QComboBox::activated, this, [this] { PaperSizeCBClick(); });
  connect(PaperSizeCB, &QComboBox::editTextChanged, this, [this] {
    if (!FUpdating) PaperSizeCBChange();
  });

  TanniGroup = NewGroup(QStringLiteral("単位"), "TanniGroup", box, QRect(8, 64, 284, 44));
  TanniMmRB = new QRadioButton(QStringLiteral("ミリ"), TanniGroup);
  TanniMmRB->setObjectName(QStringLiteral("TanniMmRB"));
  TanniMmRB->setGeometry(14, 18, 80, 20);
  TanniInchRB = new QRadioButton(QStringLiteral("インチ"), TanniGroup);
  TanniInchRB->setObjectName(QStringLiteral("TanniInchRB"));
  TanniInchRB->setGeometry(100, 18, 80, 20);
  TanniPixRB = new QRadioButton(QStringLiteral("ピクセル"), TanniGroup);
  TanniPixRB->setObjectName(QStringLiteral("TanniPixRB"));
  TanniPixRB->setGeometry(186, 18, 80, 20);
  TanniPixRB->setEnabled(false);
  TanniPixRB->setVisible(false);
  connect(TanniMmRB, &QRadioButton::clicked, this, [this] { TanniMmRBClick(); });
  connect(TanniInchRB, &QRadioButton::clicked, this, [this] { TanniInchRBClick(); });
  connect(TanniPixRB, &QRadioButton::clicked, this, [this] { TanniPixRBClick(); });

  SheetSizeGroup = NewGroup(QStringLiteral("ワークシートのサイズ"), "SheetSizeGroup", box, QRect(8, 112, 284, 52));
  WidthMemo = new NumericField(NumericField::Decimal, 6, SheetSizeGroup);
  WidthMemo->setObjectName(QStringLiteral("WidthMemo"));
  HeightMemo = new NumericField(NumericField::Decimal, 6, SheetSizeGroup);
  HeightMemo->setObjectName(QStringLiteral("HeightMemo"));
  for (NumericField* m : {WidthMemo, HeightMemo}) m->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  AddMemo(PageField::Width, WidthMemo, QStringLiteral("幅（Ｗ）"), SheetSizeGroup, kLeftPair, 20);
  AddMemo(PageField::Height, HeightMemo, QStringLiteral("高さ（Ｈ）"), SheetSizeGroup, kRightPair, 20);

  LayoutGroup = NewGroup(QStringLiteral("レイアウト"), "LayoutGroup", box, QRect(8, 168, 284, 128));
  RetuMemo = new NumericField(NumericField::Digits, 2, LayoutGroup);
  RetuMemo->setObjectName(QStringLiteral("RetuMemo"));
  DannMemo = new NumericField(NumericField::Digits, 2, LayoutGroup);
  DannMemo->setObjectName(QStringLiteral("DannMemo"));
  TopMarginMemo = new NumericField(NumericField::Decimal, 5, LayoutGroup);
  TopMarginMemo->setObjectName(QStringLiteral("TopMarginMemo"));
  LMarginMemo = new NumericField(NumericField::Decimal, 5, LayoutGroup);
  LMarginMemo->setObjectName(QStringLiteral("LMarginMemo"));
  InsideMarginXMemo = new NumericField(NumericField::Decimal, 5, LayoutGroup);
  InsideMarginXMemo->setObjectName(QStringLiteral("InsideMarginXMemo"));
  InsideMarginYMemo = new NumericField(NumericField::Decimal, 5, LayoutGroup);
  InsideMarginYMemo->setObjectName(QStringLiteral("InsideMarginYMemo"));
  // The computed margins run no filter: they may be negative. Nobody types
  // there, so no length limit either: it would cut what the dialog shows.
  BottomMarginMemo = new QLineEdit(LayoutGroup);
  BottomMarginMemo->setObjectName(QStringLiteral("BottomMarginMemo"));
  RMarginMemo = new QLineEdit(LayoutGroup);
  RMarginMemo->setObjectName(QStringLiteral("RMarginMemo"));
  for (QLineEdit* m : {BottomMarginMemo, RMarginMemo}) {
    m->setEnabled(false);
    QPalette grey = m->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      grey.setColor(g, QPalette::Base, grey.color(g, QPalette::Button));
    m->setPalette(grey);
  }
  AddMemo(PageField::Retu, RetuMemo, QStringLiteral("列"), LayoutGroup, kLeftPair, 20);
  AddMemo(PageField::Dann, DannMemo, QStringLiteral("段"), LayoutGroup, kRightPair, 20);
  AddMemo(PageField::TopMargin, TopMarginMemo, QStringLiteral("余白\u3000上"), LayoutGroup, kLeftPair, 46);
  AddMemo(PageField::BottomMargin, BottomMarginMemo, QStringLiteral("下"), LayoutGroup, kRightPair, 46);
  AddMemo(PageField::LMargin, LMarginMemo, QStringLiteral("\u3000左"), LayoutGroup, kLeftPair, 72);
  AddMemo(PageField::RMargin, RMarginMemo, QStringLiteral("\u3000右"), LayoutGroup, kRightPair, 72);
  AddMemo(PageField::InsideMarginX, InsideMarginXMemo, QStringLiteral("中横"), LayoutGroup, kLeftPair, 98);
  AddMemo(PageField::InsideMarginY, InsideMarginYMemo, QStringLiteral("中縦"), LayoutGroup, kRightPair, 98);

  OverflowGroup = NewGroup(QStringLiteral("はみ出し調整"), "OverflowGroup", box, QRect(8, 300, 284, 62));
  TrackBar = new QSlider(Qt::Horizontal, OverflowGroup);
  TrackBar->setObjectName(QStringLiteral("TrackBar"));
  TrackBar->setRange(-3, 3);
  TrackBar->setSingleStep(1);
  TrackBar->setPageStep(1);
  TrackBar->setTickInterval(1);
  TrackBar->setTickPosition(QSlider::TicksBelow);
  TrackBar->setGeometry(10, 18, 264, 24);
  NewLabel(QStringLiteral("-3mm"), OverflowGroup, QRect(10, 42, 50, 16));
  NewLabel(QStringLiteral("0"), OverflowGroup, QRect(117, 42, 50, 16), Qt::AlignHCenter);
  NewLabel(QStringLiteral("+3mm"), OverflowGroup, QRect(224, 42, 50, 16), Qt::AlignRight);
  connect(TrackBar, &QSlider::valueChanged, this, [this](int v) {
    if (!FUpdating) FRules.SetOverflowAdjust(v);
  });

  TonboCB = new QCheckBox(QStringLiteral("トンボを印刷する"), box);
  TonboCB->setObjectName(QStringLiteral("TonboCB"));
  TonboCB->setChecked(true);
  TonboCB->setGeometry(12, 370, 200, 20);
  connect(TonboCB, &QCheckBox::toggled, this, [this](bool on) {
    if (!FUpdating) FRules.SetPrintTonbo(on);
  });

  NewBtn = NewButton(QStringLiteral("設定登録"), "NewBtn", box, QRect(8, 412, 88, 25));
  NewBtn->setEnabled(false);
  DeleteBtn = NewButton(QStringLiteral("設定削除"), "DeleteBtn", box, QRect(104, 412, 88, 25));
  DeleteBtn->setEnabled(false);
  LayoutBtn = NewButton(QStringLiteral("レイアウト表示"), "LayoutBtn", box, QRect(316, 412, 110, 25));
  OKBtn = NewButton(QStringLiteral("OK"), "OKBtn", box, QRect(438, 412, 75, 25));
  OKBtn->setDefault(true);
  CancelBtn = NewButton(QStringLiteral("ｷｬﾝｾﾙ"), "CancelBtn", box, QRect(525, 412, 75, 25));
  connect(NewBtn, &QPushButton::clicked, this, [this] { NewBtnClick(); });
  connect(DeleteBtn, &QPushButton::clicked, this, [this] { DeleteBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

  LayoutPanel = new TLayoutPictureView(box);
  LayoutPanel->setObjectName(QStringLiteral("LayoutPanel"));

  setTabOrder(YousiCB, PaperSizeCB);
  setTabOrder(PaperSizeCB, TanniMmRB);
  setTabOrder(TanniMmRB, TanniInchRB);
  QWidget* previous = TanniInchRB;
  for (QWidget* w : std::initializer_list<QWidget*>{WidthMemo, HeightMemo, RetuMemo, DannMemo, TopMarginMemo,
                                                    LMarginMemo, InsideMarginXMemo, InsideMarginYMemo, TrackBar,
                                                    TonboCB, NewBtn, DeleteBtn, LayoutBtn, OKBtn, CancelBtn}) {
    setTabOrder(previous, w);
    previous = w;
  }
}

void TPageSetDlg::AddMemo(PageField f, QLineEdit* memo, const QString& label, QWidget* group, int x, int y) {
  FMemos[static_cast<int>(f)] = memo;
  QLabel* caption = NewLabel(label, group, QRect(x, y, kLabelWidth, kMemoHeight), Qt::AlignRight);
  caption->setBuddy(memo);
  memo->setGeometry(x + kLabelWidth + 4, y, kMemoWidth, kMemoHeight);
  if (auto* field = qobject_cast<NumericField*>(memo)) {
    connect(field, &NumericField::FieldChanged, this, [this, f](const QString& text) { FieldEdited(f, text); });
    field->installEventFilter(this);
  }
}

void TPageSetDlg::HandIn(const DocumentPageSetup& doc) {
  FRules.HandIn(doc);
  Refresh();
}

void TPageSetDlg::StartNewDocument() {
  setWindowTitle(LoadStr(kNewDocumentCaption));
  FRules.StartNewDocument();
}

void TPageSetDlg::PlaceAt(int top, int left) {
  // A position remembered on a screen that is gone would hide the dialog;
  // then the platform places it.
  const QPoint grip(left + 40, top + 10);
  if (QGuiApplication::screenAt(grip) != nullptr) move(left, top);
}

void TPageSetDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (FShown) return;
  FShown = true;
  // After the dialog is on the screen, as a window's first activation is.
  QMetaObject::invokeMethod(this, &TPageSetDlg::FormActivate, Qt::QueuedConnection);
}

bool TPageSetDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
    // Switching to another window or opening the field's menu is no exit.
    if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) {
      for (int i = 0; i < PageFieldCount; ++i)
        if (FMemos[i] == watched) MemoExit(static_cast<PageField>(i));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TPageSetDlg::FormActivate() {
  FRules.FormActivate();
  Refresh();
}

void TPageSetDlg::YousiCBClick() {
  if (FUpdating) return;
  FRules.YousiCBClick(YousiCB->currentIndex());
  Refresh();
}

void TPageSetDlg::PaperSizeCBClick() {
  if (FUpdating) return;
  FRules.PaperSizeCBClick(PaperSizeCB->currentIndex());
  Refresh();
}

void TPageSetDlg::PaperSizeCBChange() {
  FRules.PaperSizeCBChange();
  Refresh();
}

void TPageSetDlg::TanniMmRBClick() {
  FRules.TanniMmRBClick();
  Refresh();
}

void TPageSetDlg::TanniInchRBClick() {
  FRules.TanniInchRBClick();
  Refresh();
}

void TPageSetDlg::FieldEdited(PageField f, const QString& text) {
  if (!FUpdating) FRules.FieldChanged(f, text);
}

void TPageSetDlg::MemoExit(PageField f) {
  // Disabling a field while showing the state moves the focus: no exit.
  if (FUpdating) return;
  FRules.FieldExit(f);
  Refresh();
}

void TPageSetDlg::NewBtnClick() {
  if (!FRules.NewBtnEnabled()) return;
  TSetNameInDlg dlg(FRules.Table(), this);
  if (RunNameDialog(dlg)) FRules.RegisterSetup(dlg.Name());
  Refresh();
}

void TPageSetDlg::DeleteBtnClick() {
  FRules.DeleteBtnClick();
  Refresh();
}

void TPageSetDlg::OKBtnClick() {
  const bool read = FRules.OKBtnClick();
  Refresh();
  // A field that could not be read keeps the dialog open.
  if (read) accept();
}

void TPageSetDlg::done(int result) {
  if (result == Accepted && !FRules.FormCloseQuery(true)) return;
  QDialog::done(result);
}

void TPageSetDlg::Refresh() {
  const bool wasUpdating = FUpdating;
  FUpdating = true;

  const QStringList items = FRules.ListItems();
  if (ItemsOf(YousiCB) != items) {
    YousiCB->clear();
    YousiCB->addItems(items);
  }
  YousiCB->setCurrentIndex(FRules.ListIndex());

  PaperSizeCB->setEnabled(FRules.PaperSizeEnabled());
  // The box shows an entry when the rules chose one, and otherwise keeps
  // what the user typed in it.
  const int paper = FRules.PaperSizeIndex();
  if (FRules.PaperSizeChoices() != FPaperChoicesShown && paper >= 0) {
    PaperSizeCB->setCurrentIndex(paper);
    PaperSizeCB->setEditText(PaperSizeCB->itemText(paper));
  }
  FPaperChoicesShown = FRules.PaperSizeChoices();

  if (FRules.PageUnit() == puInch)
    TanniInchRB->setChecked(true);
  else if (FRules.PageUnit() == puMillimetre)
    TanniMmRB->setChecked(true);

  for (int i = 0; i < PageFieldCount; ++i) {
    const FieldState& state = FRules.Field(static_cast<PageField>(i));
    if (FMemos[i]->text() != state.Text) FMemos[i]->setText(state.Text);
    FMemos[i]->setEnabled(state.Enabled);
  }
  NewBtn->setEnabled(FRules.NewBtnEnabled());
  DeleteBtn->setEnabled(FRules.DeleteBtnEnabled());
  TrackBar->setValue(FRules.OverflowAdjust());
  TonboCB->setChecked(FRules.PrintTonbo());

  LayoutPanel->SetPicture(FRules.Layout());
  PlaceLayoutPanel();

  FUpdating = wasUpdating;
}

void TPageSetDlg::PlaceLayoutPanel() {
  const QRect group = LayoutGroup->geometry();
  QPoint pos = PageSetupRules::LayoutPanelPos(group.x() + group.width(), ScrollBox1->width(), ScrollBox1->height(),
                                              LayoutPanel->width(), CancelBtn->y());
  // A paper wider than the room right of the groups must not cover them; it
  // scrolls instead.
  pos.setX(std::max(pos.x(), group.x() + group.width()));
  pos.setY(std::max(pos.y(), 0));
  LayoutPanel->move(pos);
  QWidget* box = ScrollBox1->widget();
  box->resize(std::max(ClientWidth, LayoutPanel->geometry().right() + 1),
              std::max(ClientHeight, LayoutPanel->geometry().bottom() + 1));
}

std::optional<DocumentPageSetup> RunPageSetupDialog(PageSetupDialogMode mode, const DocumentPageSetup& doc,
                                                    const ProgramFolders& folders, int& top, int& left,
                                                    QWidget* parent) {
  TPageSetDlg dlg(folders, parent);
  if (mode == PageSetupDialogMode::NewDocument)
    dlg.StartNewDocument();
  else
    dlg.HandIn(doc);
  dlg.PlaceAt(top, left);
  const bool ok = dlg.exec() == QDialog::Accepted;
  top = dlg.y();
  left = dlg.x();
  if (!ok) return std::nullopt;
  return dlg.Result();
}
