#include "Unit1.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStatusBar>

#include "Color.h"
#include "ColorSwatch.h"
#include "CursorImages.h"
#include "CustomLabel.h"
#include "Glyphs.h"
#include "Labelex.h"
#include "SpeedButton.h"
#include "ZoomLevels.h"

namespace {

// The window's client area: the panels keep fixed positions inside
// themselves and are docked along its edges here, as the form designer
// aligned them (top and bottom span the width, left fills between them, the
// scroll box takes the rest).
class DockArea : public QWidget {
 public:
  using QWidget::QWidget;
  QWidget *Top = nullptr, *Left = nullptr, *Bottom = nullptr, *Status = nullptr, *Client = nullptr;

 protected:
  void resizeEvent(QResizeEvent*) override { Align(); }

 public:
  void Align() {
    const int w = width(), h = height();
    int top = 0, bottom = h;
    Top->setGeometry(0, 0, w, Top->height());
    top += Top->height();
    Status->setGeometry(0, bottom - Status->height(), w, Status->height());
    bottom -= Status->height();
    Bottom->setGeometry(0, bottom - Bottom->height(), w, Bottom->height());
    bottom -= Bottom->height();
    Left->setGeometry(0, top, Left->width(), std::max(0, bottom - top));
    Client->setGeometry(Left->width(), top, std::max(0, w - Left->width()), std::max(0, bottom - top));
  }
};

QFrame* MakePanel(QWidget* parent, const char* name) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QLatin1String(name));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  panel->setAutoFillBackground(true);
  return panel;
}

TSpeedButton* MakeButton(QWidget* parent, const char* name, int left, int top, int width, int height,
                         const QString& hint) {
  auto* b = new TSpeedButton(parent);
  b->setObjectName(QLatin1String(name));
  b->setGeometry(left, top, width, height);
  b->setToolTip(hint);
  return b;
}

TSpeedButton* MakeGlyphButton(QWidget* parent, const char* name, int left, int top, int width, int height,
                              const QString& hint, GlyphKind glyph) {
  TSpeedButton* b = MakeButton(parent, name, left, top, width, height, hint);
  b->setIcon(GlyphIcon(glyph));
  b->setIconSize(QSize(20, 20));
  return b;
}

// A line-style or line-width button: 59 x 11 with a line sample.
TSpeedButton* MakeLineButton(QWidget* parent, const char* name, int top, int group, const QString& hint,
                             const QPixmap& sample) {
  TSpeedButton* b = MakeButton(parent, name, 3, top, 59, 11, hint);
  b->SetGroupIndex(group);
  b->setIcon(QIcon(sample));
  b->setIconSize(sample.size());
  return b;
}

QComboBox* MakeComboBox(QWidget* parent, const char* name, int left, int top, int width, const QStringList& items) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMaxVisibleItems(16);
  box->addItems(items);
  box->setGeometry(left, top, width, 21);
  return box;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QLatin1String(name));
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  return a;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
  setGeometry(256, 207, 579, 400);
  RegisterCustomCursors();

  auto* area = new DockArea(this);
  setCentralWidget(area);

  // Focus sink: at the top-left corner, under the font bar, so it can take
  // the focus without ever being seen.
  TestMemo = new QPlainTextEdit(QStringLiteral("TestMemo"), area);
  TestMemo->setObjectName(QStringLiteral("TestMemo"));
  TestMemo->setGeometry(0, 0, 65, 17);
  TestMemo->setReadOnly(true);
  TestMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TestMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  // ---- Tool box.
  ToolBox = MakePanel(area, "ToolBox");
  ToolBox->resize(65, 0);
  struct ToolButtonLayout {
    TSpeedButton** member;
    const char* name;
    int left, top;
    const char* hint;
    GlyphKind glyph;
  };
  const ToolButtonLayout tools[] = {
      {&TextButton, "TextButton", 8, 8, "テキスト", GlyphKind::Text},
      {&PointButton, "PointButton", 32, 8, "ポインタ", GlyphKind::Pointer},
      {&SquareButton, "SquareButton", 8, 32, "矩形（正方形）", GlyphKind::Square},
      {&RectButton, "RectButton", 32, 32, "矩形（長方形）", GlyphKind::Rectangle},
      {&CircleButton, "CircleButton", 8, 56, "円", GlyphKind::Circle},
      {&EllipseButton, "EllipseButton", 32, 56, "楕円", GlyphKind::Ellipse},
      {&LineButton, "LineButton", 8, 80, "直線", GlyphKind::Line},
      {&imageButton, "imageButton", 32, 80, "画像の読み込み", GlyphKind::Picture},
  };
  for (const ToolButtonLayout& t : tools) {
    *t.member = MakeGlyphButton(ToolBox, t.name, t.left, t.top, 25, 25, QString::fromUtf8(t.hint), t.glyph);
    (*t.member)->SetGroupIndex(1);
  }
  CFButton = MakeButton(ToolBox, "CFButton", 8, 104, 49, 17, QStringLiteral("キャッチフレーズの読み込み"));
  CFButton->setText(QStringLiteral("Cﾌﾚｰｽﾞ"));
  CFButton->SetGroupIndex(1);
  CFButton->setVisible(false);  // the editor shows it
  PointButton->SetDown(true);

  psSolidButton = MakeLineButton(ToolBox, "psSolidButton", 136, 3, QStringLiteral("実線"), LineStyleGlyph(false));
  psDotButton = MakeLineButton(ToolBox, "psDotButton", 146, 3, QStringLiteral("点線"), LineStyleGlyph(true));
  psSolidButton->SetDown(true);

  TSpeedButton** widths[] = {&Width1, &Width2, &Width3, &Width4, &Width5, &Width6};
  for (int i = 0; i < 6; ++i) {
    const QByteArray name = "Width" + QByteArray::number(i + 1);
    *widths[i] = MakeLineButton(ToolBox, name.constData(), 168 + 10 * i, 2,
                                QString::number(i + 1) + QStringLiteral("Point"), LineWidthGlyph(i + 1));
  }
  Width1->SetDown(true);

  // ---- Font bar.
  FontPanel = MakePanel(area, "FontPanel");
  FontPanel->resize(0, 57);
  QStringList sizes;
  for (int s : {5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 36, 40, 44, 48, 54, 60, 66, 72, 80, 88, 96})
    sizes << QString::number(s);
  QStringList gaps;
  for (int g = 0; g <= 20; ++g) gaps << QString::number(g);
  for (int g : {22, 24, 26, 28, 30}) gaps << QString::number(g);
  FontNameComboBox = MakeComboBox(FontPanel, "FontNameComboBox", 8, 6, 145, {});
  FontSizeComboBox = MakeComboBox(FontPanel, "FontSizeComboBox", 160, 6, 49, sizes);
  GapComboBox = MakeComboBox(FontPanel, "GapComboBox", 344, 6, 49, gaps);

  BoldButton = MakeGlyphButton(FontPanel, "BoldButton", 224, 5, 25, 25, QStringLiteral("太線"), GlyphKind::Bold);
  ItalicButton = MakeGlyphButton(FontPanel, "ItalicButton", 249, 5, 25, 25, QStringLiteral("斜体"), GlyphKind::Italic);
  UnderlineButton =
      MakeGlyphButton(FontPanel, "UnderlineButton", 274, 5, 25, 25, QStringLiteral("下線"), GlyphKind::Underline);
  int styleGroup = 4;
  for (TSpeedButton* b : {BoldButton, ItalicButton, UnderlineButton}) {
    b->SetGroupIndex(styleGroup++);
    b->SetAllowAllUp(true);
    b->setCheckable(true);
  }

  Image1 = new QLabel(FontPanel);
  Image1->setObjectName(QStringLiteral("Image1"));
  const QPixmap gapPicture = GlyphPixmap(GlyphKind::CharacterGap);
  Image1->setPixmap(gapPicture);
  Image1->setGeometry(312, 6, gapPicture.width(), gapPicture.height());

  // Second row: the document buttons left of the clipboard buttons, help
  // after the grid button.
  FileNewButton = MakeGlyphButton(FontPanel, "FileNewButton", 8, 32, 25, 25, QStringLiteral("新規作成"),
                                  GlyphKind::FileNew);
  FileOpenButton =
      MakeGlyphButton(FontPanel, "FileOpenButton", 33, 32, 25, 25, QStringLiteral("開く"), GlyphKind::FileOpen);
  FileSaveButton = MakeGlyphButton(FontPanel, "FileSaveButton", 58, 32, 25, 25, QStringLiteral("上書き保存"),
                                   GlyphKind::FileSave);
  PrintPreviewButton = MakeGlyphButton(FontPanel, "PrintPreviewButton", 91, 32, 25, 25,
                                       QStringLiteral("印刷プレビュー"), GlyphKind::PrintPreview);
  PrintButton = MakeGlyphButton(FontPanel, "PrintButton", 116, 32, 25, 25, QStringLiteral("印刷"), GlyphKind::Print);
  PrintSetupButton = MakeGlyphButton(FontPanel, "PrintSetupButton", 141, 32, 25, 25, QStringLiteral("ページ設定"),
                                     GlyphKind::PrintSetup);
  CutButton = MakeGlyphButton(FontPanel, "CutButton", 200, 32, 32, 25, QStringLiteral("切り取り"), GlyphKind::Cut);
  CopyButton = MakeGlyphButton(FontPanel, "CopyButton", 232, 32, 32, 25, QStringLiteral("コピー"), GlyphKind::Copy);
  PasteButton =
      MakeGlyphButton(FontPanel, "PasteButton", 264, 32, 32, 25, QStringLiteral("張り付け"), GlyphKind::Paste);
  BGImageButton = MakeGlyphButton(FontPanel, "BGImageButton", 296, 32, 32, 25, QStringLiteral("背景画像の選択"),
                                  GlyphKind::BackgroundPicture);
  GridButton = MakeGlyphButton(FontPanel, "GridButton", 328, 32, 32, 25, QStringLiteral("グリッドの表示／非表示"),
                               GlyphKind::Grid);
  HelpButton = MakeGlyphButton(FontPanel, "HelpButton", 368, 32, 25, 25, QStringLiteral("ヘルプ"), GlyphKind::Help);
  for (TSpeedButton* b : {CutButton, CopyButton, PasteButton}) b->setEnabled(false);

  // Never shown: they measure text for the editor.
  TestLabel = new TCustomLabel(nullptr);
  TestLabel->SetVisible(false);
  TestLabel->SetAutoSize(true);
  TestLabelEx = new TLabelEx(nullptr);
  TestLabelEx->SetVisible(false);

  // ---- Colour bar.
  ColorPanel = MakePanel(area, "ColorPanel");
  ColorPanel->resize(0, 41);
  ForColor = new ColorSwatch(ColorPanel);
  ForColor->setObjectName(QStringLiteral("ForColor"));
  ForColor->setGeometry(8, 8, 25, 25);
  ForColor->SetCaption(QStringLiteral("F"));
  ForColor->setToolTip(QStringLiteral("描画色"));
  BackColor = new ColorSwatch(ColorPanel);
  BackColor->setObjectName(QStringLiteral("BackColor"));
  BackColor->setGeometry(32, 8, 25, 25);
  BackColor->SetCaption(QStringLiteral("B"));
  BackColor->setToolTip(QStringLiteral("背景色"));

  // ---- Scroll box and status bar.
  ScrollBox0 = new QScrollArea(area);
  ScrollBox0->setObjectName(QStringLiteral("ScrollBox0"));
  ScrollBox0->setFrameStyle(QFrame::Box | QFrame::Plain);
  ScrollBox0->setLineWidth(1);
  ScrollBox0->setWidgetResizable(false);
  ScrollBox0->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette workSpace = ScrollBox0->palette();
  workSpace.setColor(QPalette::Window, Colors::ToQColor(clAppWorkSpace));
  ScrollBox0->setPalette(workSpace);
  ScrollBox0->setBackgroundRole(QPalette::Window);
  ScrollBox0->viewport()->setAutoFillBackground(true);
  ScrollBox0->viewport()->setBackgroundRole(QPalette::Window);

  StatusBar1 = new QStatusBar(area);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->resize(0, 19);
  StatusBar1->setFixedHeight(19);

  TestLabel1 = new QLabel(area);
  TestLabel1->setObjectName(QStringLiteral("TestLabel1"));
  TestLabel2 = new QLabel(area);
  TestLabel2->setObjectName(QStringLiteral("TestLabel2"));
  TestLabel3 = new QLabel(area);
  TestLabel3->setObjectName(QStringLiteral("TestLabel3"));
  for (QLabel* l : {TestLabel1, TestLabel2, TestLabel3}) l->setVisible(false);

  area->Top = FontPanel;
  area->Left = ToolBox;
  area->Bottom = ColorPanel;
  area->Status = StatusBar1;
  area->Client = ScrollBox0;
  TestMemo->lower();
  area->Align();

  // ---- Main menu.
  FileMenu = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  FileMenu->setObjectName(QStringLiteral("FileMenu"));
  FileNew = AddItem(FileMenu, "FileNew", QStringLiteral("新規作成(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N));
  FileOpen = AddItem(FileMenu, "FileOpen", QStringLiteral("開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  FileSave = AddItem(FileMenu, "FileSave", QStringLiteral("上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S));
  FileSaveAs = AddItem(FileMenu, "FileSaveAs", QStringLiteral("名前をつけて保存(&A)..."));
  FileMenu->addSeparator();
  WorkSheetClear = AddItem(FileMenu, "WorkSheetClear", QStringLiteral("ワークシートクリア"));
  FileMenu->addSeparator();
  FilePreview = AddItem(FileMenu, "FilePreview", QStringLiteral("印刷プレビュー(&V)..."));
  FilePrint = AddItem(FileMenu, "FilePrint", QStringLiteral("印刷(&P)..."), QKeySequence(Qt::CTRL | Qt::Key_P));
  FileMergePrint = AddItem(FileMenu, "FileMergePrint", QStringLiteral("差し込み印刷..."));
  FilePrintSetup = AddItem(FileMenu, "FilePrintSetup", QStringLiteral("ﾍﾟｰｼﾞ設定(&R)..."));
  FilePrintCalibration = AddItem(FileMenu, "FilePrintCalibration", QStringLiteral("プリンタ位置の補正..."));
  FileMenu->addSeparator();
  FileExit = AddItem(FileMenu, "FileExit", QStringLiteral("終了(&X)"));

  EditMenu = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  EditMenu->setObjectName(QStringLiteral("EditMenu"));
  EditUndo = AddItem(EditMenu, "EditUndo", QStringLiteral("元に戻す(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EditRedo = AddItem(EditMenu, "EditRedo", QStringLiteral("やり直し(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y));
  EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  EditMenu->addSeparator();
  EditCut = AddItem(EditMenu, "EditCut", QStringLiteral("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X));
  EditCopy = AddItem(EditMenu, "EditCopy", QStringLiteral("ｺﾋﾟｰ(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C));
  EditPaste = AddItem(EditMenu, "EditPaste", QStringLiteral("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V));
  for (QAction* a : {EditUndo, EditRedo, EditCut, EditCopy, EditPaste}) a->setEnabled(false);

  ViewMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
  ViewZoomIn = AddItem(ViewMenu, "ViewZoomIn", QStringLiteral("拡大(&I)"));
  // Where + sits differs between keyboards: on = (US) or ; (Japanese).
  ViewZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
                            QKeySequence(Qt::CTRL | Qt::Key_Semicolon)});
  ViewZoomOut = AddItem(ViewMenu, "ViewZoomOut", QStringLiteral("縮小(&O)"), QKeySequence(Qt::CTRL | Qt::Key_Minus));
  ViewMenu->addSeparator();
  auto* zoomGroup = new QActionGroup(this);
  zoomGroup->setExclusive(true);
  static_assert(std::tuple_size_v<decltype(ViewZoomSteps)> == ZoomLevels::Steps.size());
  for (size_t i = 0; i < ViewZoomSteps.size(); ++i) {
    const int step = ZoomLevels::Steps[i];
    const QByteArray name = "ViewZoom" + QByteArray::number(step);
    ViewZoomSteps[i] = AddItem(ViewMenu, name.constData(), QString::number(step) + QStringLiteral("%"),
                               step == ZoomLevels::Normal ? QKeySequence(Qt::CTRL | Qt::Key_0) : QKeySequence());
  }
  ViewMenu->addSeparator();
  ViewFit = AddItem(ViewMenu, "ViewFit", QStringLiteral("全体表示(&W)"));
  for (QAction* a : ViewZoomSteps) zoomGroup->addAction(a)->setCheckable(true);
  zoomGroup->addAction(ViewFit)->setCheckable(true);

  OtherMenu = menuBar()->addMenu(QStringLiteral("その他"));
  OtherMenu->setObjectName(QStringLiteral("OtherMenu"));
  OtherBGImage = AddItem(OtherMenu, "OtherBGImage", QStringLiteral("背景画像の選択..."));
  OtherBGImageClear = AddItem(OtherMenu, "OtherBGImageClear", QStringLiteral("背景画像をクリア"));
  BGGrid = AddItem(OtherMenu, "BGGrid", QStringLiteral("グリッドの設定...."));
  OtherMenu->addSeparator();
  OtherQrCode = AddItem(OtherMenu, "OtherQrCode", QStringLiteral("QRコード..."));

  HelpMenu = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
  Contents1 = AddItem(HelpMenu, "Contents1", QStringLiteral("目次(&C)"));
  About1 = AddItem(HelpMenu, "About1", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));

  // ---- Object popup menu: the editor shows the items that fit the object.
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  PenColorChange = AddItem(PopupMenu, "PenColorChange", QStringLiteral("線色を変更...."));
  BrushColorChange = AddItem(PopupMenu, "BrushColorChange", QStringLiteral("背景色を変更...."));
  Brushed = AddItem(PopupMenu, "Brushed", QStringLiteral("塗りつぶし"));
  FontColorChange = AddItem(PopupMenu, "FontColorChange", QStringLiteral("フォントの色を変更...."));
  ImageChange = AddItem(PopupMenu, "ImageChange", QStringLiteral("画像の変更...."));
  ImageReduction = AddItem(PopupMenu, "ImageReduction", QStringLiteral("拡大／縮小...."));
  OrderMenu = PopupMenu->addMenu(QStringLiteral("順序"));
  OrderMenu->setObjectName(QStringLiteral("OrderMenu"));
  Order = OrderMenu->menuAction();
  Order->setObjectName(QStringLiteral("Order"));
  Front = AddItem(OrderMenu, "Front", QStringLiteral("最前面に移動"));
  Back = AddItem(OrderMenu, "Back", QStringLiteral("最後面に移動"));
  BGImageSetting = AddItem(PopupMenu, "BGImageSetting", QStringLiteral("背景画像の選択...."));
  BGImageClear = AddItem(PopupMenu, "BGImageClear", QStringLiteral("背景画像をクリア"));
  GridSetting = AddItem(PopupMenu, "GridSetting", QStringLiteral("グリッドの設定...."));
  // Ours, after the quoted ones.
  QrCodeEdit = AddItem(PopupMenu, "QrCodeEdit", QStringLiteral("QRコードの編集..."));
  QrCodeInsert = AddItem(PopupMenu, "QrCodeInsert", QStringLiteral("QRコード..."));
  for (QAction* a : {PenColorChange, BrushColorChange, Brushed, FontColorChange, ImageChange, ImageReduction, Order,
                     BGImageSetting, BGImageClear, GridSetting, QrCodeEdit, QrCodeInsert})
    a->setVisible(false);
}

TForm1::~TForm1() {
  delete TestLabelEx;
  delete TestLabel;
}
