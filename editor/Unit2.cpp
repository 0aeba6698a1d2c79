// TForm2: construction, the editor's shared operations, the worksheet's
// wiring into the window, keys and the popup menu.
#include "Unit2.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTimer>

#include "ClassRegistry.h"
#include "ColorSwatch.h"
#include "CommonText.h"
#include "FontNameList.h"
#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "Memo.h"
#include "OwnSettings.h"
#include "PanelView.h"
#include "PictureDialog.h"
#include "ArrowKeys.h"
#include "QrCode.h"
#include "Qushape.h"
#include "Snap.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "WinControl.h"

namespace {

// The palette, button i at left 65 + 15 (i div 2), top 5 or 20.
constexpr TColor kPalette[16] = {clWhite, clBlack, clSilver, clGray,   clRed,  clMaroon, clYellow,  clOlive,
                                 clLime,  clGreen, clAqua,   clTeal,   clBlue, clNavy,   clFuchsia, clPurple};

uint16_t VirtualKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Delete: return TForm2::VK_DELETE;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    default: return 0;
  }
}

TShiftState ShiftOf(Qt::KeyboardModifiers m) {
  TShiftState s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  return s;
}

QString WithSeparator(QString folder) {
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : TForm1(parent) {
  // Streaming creates card objects by class name (documents, clipboard).
  ClassRegistry::RegisterClass<TQuShape>();
  ClassRegistry::RegisterClass<TImage>();
  ClassRegistry::RegisterClass<TLabelEx>();

  Scale = TScaleRecord{};

  ForColor->SetColor(clBlack);
  ForColor->SetFontColor(ContrastColor(clBlack));
  DrawColor = clBlack;
  BackColor->SetColor(TColor(0xC0C0C0));
  BackColor->SetFontColor(ContrastColor(TColor(0xC0C0C0)));
  FillColor = TColor(0xC0C0C0);

  FillStyle = bsClear;
  UnitIsPixel = true;
  UnitIsMm = UnitIsInch = false;
  KeepAspect = true;
  SnapToGrid = true;
  ChangeCount = 0;
  PenWidth = 1;
  PenStyle = psSolid;

  PictureFolder = WithSeparator(PersonalDocumentsFolder());
  SetProgramFolder(QCoreApplication::applicationDirPath());

  FontNameComboBox->clear();
  FontNameComboBox->addItems(FontNameList(QFontDatabase::families()));
  FontNameComboBox->setEditText(LoadStr(CommonText::DefaultFontName));
  FontName = FontNameComboBox->currentText();
  FontSizeComboBox->setEditText(QStringLiteral("12"));
  FontSize = 12;
  GapComboBox->setEditText(QStringLiteral("0"));
  FontGap = 0;

  for (int i = 0; i < 16; ++i) {
    auto* b = new ColorSwatch(ColorPanel);
    b->setObjectName(QStringLiteral("ColorButton%1").arg(i));
    b->setGeometry(65 + 15 * (i / 2), i % 2 == 0 ? 5 : 20, 15, 15);
    b->setToolTip(LoadStr(CommonText::ColorButtonHint));
    b->SetColor(kPalette[i]);
    ColorButtons[i] = b;
  }
  CFButton->setVisible(true);

  PointButton->OnClick = [this] { PointButtonClick(); };
  LineButton->OnClick = [this] { LineButtonClick(); };
  SquareButton->OnClick = [this] { SquareButtonClick(); };
  RectButton->OnClick = [this] { RectButtonClick(); };
  CircleButton->OnClick = [this] { CircleButtonClick(); };
  EllipseButton->OnClick = [this] { EllipseButtonClick(); };
  TextButton->OnClick = [this] { TextButtonClick(); };
  imageButton->OnClick = [this] { imageButtonClick(); };
  CFButton->OnClick = [this] { CFButtonClick(); };
  WireStyleCommands();
  WireFormatCommands();
  WireClipboardCommands();

  WirePictureCommands();
  WireZoomCommands();
  WireQrCodeCommands();
  connect(OtherMenu, &QMenu::aboutToShow, this, [this] { OtherMenuClick(); });
  connect(EditMenu, &QMenu::aboutToShow, this, [this] { EditMenuClick(); });
  // Items are hidden again once the menu has closed and its command (if
  // any) has run.
  connect(PopupMenu, &QMenu::aboutToHide, this, [this] { QTimer::singleShot(0, this, [this] { HidePopupItems(); }); });

  // The window sees every key first, whichever control has the focus.
  qApp->installEventFilter(this);
}

TForm2::~TForm2() {
  if (qApp) qApp->removeEventFilter(this);
  // The view points into the panel, which TWorksheet destroys before the
  // window's widgets go.
  DetachWorksheetView();
  ForgetWorksheetObjects();
}

void TForm2::SetProgramFolder(const ProgramFolders& folders) {
  FFolders = folders;
  PhraseFolder = FFolders.DataPath(QStringLiteral("CPhrase"));
  BGImageFolder = FFolders.DataPath(QStringLiteral("bkimages"));
  HelpFile = FFolders.DataPath(LoadStr(CommonText::HelpFileName));
  FOwnSettings.reset();
  ReadZoomSetting();
}

QSettings& TForm2::OwnSettings() {
  if (!FOwnSettings) FOwnSettings = OpenOwnSettings(FFolders.WritablePath(QString::fromLatin1(OwnSettingsFileName)));
  return *FOwnSettings;
}

// ---- The worksheet --------------------------------------------------------

void TForm2::ResetEditorWorksheet(int widthPx, int heightPx) {
  ResetTool();
  DetachWorksheetView();
  BuildWorksheet(widthPx, heightPx);
  AttachWorksheetView();
}

void TForm2::DiscardEditorWorksheet() {
  ResetTool();
  DetachWorksheetView();
  DiscardWorksheet();
}

void TForm2::DetachWorksheetView() {
  // Everything on the old panel goes with it.
  AbandonTextEditor();
  ForgetWorksheetObjects();
  if (DrawView) {
    DrawView->Detach();
    QWidget* holder = DrawView->parentWidget();
    if (holder && ScrollBox0->widget() == holder) ScrollBox0->takeWidget();
    if (holder) delete holder;  // the holder owns the view
    else delete DrawView;
    DrawView = nullptr;
  }
}

void TForm2::AttachWorksheetView() {
  if (!DrawPanel) return;
  DrawPanel->OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
    DrawPanelMouseDown(s, b, sh, x, y);
  };
  DrawPanel->OnMouseMove = [this](TControl* s, TShiftState sh, int x, int y) { DrawPanelMouseMove(s, sh, x, y); };
  DrawPanel->OnMouseUp = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
    DrawPanelMouseUp(s, b, sh, x, y);
  };
  TCursor cursor = crDefault;
  if (TextButton->Down()) cursor = TextCursor;
  else if (PointButton->Down()) cursor = crDefault;
  else if (LineButton->Down() || SquareButton->Down() || RectButton->Down() || CircleButton->Down() ||
           EllipseButton->Down())
    cursor = ShapeCursor;
  else if (imageButton->Down() || CFButton->Down())
    cursor = ImageCursor;
  DrawPanel->SetCursor(cursor);

  // The panel stands at (10, 10) inside the scroll box: the scrolled widget
  // is a margin holder as large as the panel plus that offset.
  auto* holder = new QWidget;
  holder->setObjectName(QStringLiteral("DrawPanelHolder"));
  DrawView = new PanelView(DrawPanel, holder);
  DrawView->setObjectName(QStringLiteral("DrawPanel"));
  DrawView->SetZoom(WorksheetZoom());
  holder->resize(DrawView->x() + DrawView->width() + 10, DrawView->y() + DrawView->height() + 10);
  connect(DrawView, &PanelView::ZoomWheel, this, [this](int steps, QPoint pos) { ZoomByWheel(steps, pos); });
  ScrollBox0->setWidget(holder);
  DrawView->show();
}

void TForm2::WorksheetResized() {
  if (!DrawPanel || !DrawView) return;
  ApplyZoom();  // the holder follows; a fitted zoom fits the new size
}

bool TForm2::WorksheetShown() const { return DrawPanel && DrawView; }

void TForm2::ForgetWorksheetObjects() {
  CurShape = nullptr;
  CurLabel = nullptr;
  CurImage = nullptr;
  SelectedObject = nullptr;
  EditMemo = nullptr;
  Handles.fill(nullptr);
  LabelFrame = nullptr;
  HasSelection = false;
  Dragging = false;
  FPendingQrEdit = nullptr;
  MouseIsDown = false;
}

// ---- Shared operations ----------------------------------------------------

void TForm2::ResetTool() {
  ShapeToolActive = false;
  NewTextPending = false;
  ReEditing = false;
  PictureToolActive = false;
  PhraseToolActive = false;
  if (HasSelection) Deselect();
  TestMemo->setFocus(Qt::OtherFocusReason);
  if (DrawPanel) DrawPanel->SetShowHint(false);
  RestoreToolHints();
}

void TForm2::RestoreToolHints() {
  TextButton->setToolTip(LoadStr(CommonText::TextToolHint));
  SquareButton->setToolTip(LoadStr(CommonText::SquareToolHint));
  RectButton->setToolTip(LoadStr(CommonText::RectangleToolHint));
  CircleButton->setToolTip(LoadStr(CommonText::CircleToolHint));
  EllipseButton->setToolTip(LoadStr(CommonText::EllipseToolHint));
  LineButton->setToolTip(LoadStr(CommonText::LineToolHint));
  imageButton->setToolTip(LoadStr(CommonText::PictureToolHint));
  CFButton->setToolTip(LoadStr(CommonText::PhraseToolHint));
}

void TForm2::AttachObject(TControl* object) {
  if (!object) return;
  if (dynamic_cast<TQuShape*>(object)) {
    object->OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
      ShapeMouseDown(s, b, sh, x, y);
    };
    object->OnMouseMove = [this](TControl* s, TShiftState sh, int x, int y) { ShapeMouseMove(s, sh, x, y); };
    object->OnMouseUp = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
      ShapeMouseUp(s, b, sh, x, y);
    };
  } else if (dynamic_cast<TImage*>(object)) {
    object->OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
      ImageMouseDown(s, b, sh, x, y);
    };
    object->OnMouseMove = [this](TControl* s, TShiftState sh, int x, int y) { ImageMouseMove(s, sh, x, y); };
    object->OnMouseUp = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
      ImageMouseUp(s, b, sh, x, y);
    };
    object->OnDblClick = [this](TControl* s) { ImageDblClick(s); };
    static_cast<TImage*>(object)->SetPixelExact(IsQrCode(*object));
  } else if (dynamic_cast<TLabelEx*>(object)) {
    object->OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
      LabelMouseDown(s, b, sh, x, y);
    };
    object->OnMouseMove = [this](TControl* s, TShiftState sh, int x, int y) { LabelMouseMove(s, sh, x, y); };
    object->OnMouseUp = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
      LabelMouseUp(s, b, sh, x, y);
    };
    object->OnDblClick = [this](TControl* s) { LabelDblClick(s); };
  } else {
    return;  // not a card object
  }
  ObjectList.push_back(object);
}

void TForm2::MarkModified() {
  Modified = true;
  ++ChangeCount;
  TestLabel1->setText(QString::number(ChangeCount));
  CardChanged(FChangeMergeKey);
}

TColor TForm2::ContrastColor(TColor color) {
  if (uint32_t(color) > 0xFFFFFFu) return color;  // a system colour
  if (color == TColor(0x808080)) return clWhite;
  return color ^ 0xFFFFFF;
}

int TForm2::GridWidth() const { return GridShape ? GridShape->GridWidth() : 0; }

void TForm2::SnapValue(int& v) const { v = ::SnapValue(v, GridWidth()); }

void TForm2::SnapPoint(int& x, int& y) const { ::SnapPoint(x, y, GridWidth()); }

void TForm2::SnapIfApplies(TShiftState shift, int& x, int& y) const {
  if (SnapApplies(shift)) SnapPoint(x, y);
}

void TForm2::SetWorksheetCursor(TCursor cursor) {
  if (DrawPanel) DrawPanel->SetCursor(cursor);
}

// ---- Keys and menus --------------------------------------------------------

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox0 && event->type() == QEvent::Resize && FZoom.FitWindow) ApplyZoom();
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    // A key travels from the focus widget up its parents; the window
    // previews it once, where it starts.
    QWidget* focus = QApplication::focusWidget();
    const bool start = focus && focus->window() == this ? w == focus : w == this;
    if (w->window() == this && start) {
      auto* ke = static_cast<QKeyEvent*>(event);
      uint16_t key = VirtualKeyOf(ke->key());
      if (key) {
        FormKeyDown(key, ShiftOf(ke->modifiers()));
        if (key == 0) return true;
      }
    }
  }
  return TForm1::eventFilter(watched, event);
}

void TForm2::FormKeyDown(uint16_t& key, TShiftState shift) {
  // A Delete typed into a font box edits the box, never the card.
  if (key == VK_DELETE && HasSelection && SelectedObject && WorksheetHasKeyboardFocus()) DeleteObject(SelectedObject);
  else if (MoveSelectionByKey(key, shift)) key = 0;
}

void TForm2::OtherMenuClick() {
  if (WorksheetShown()) {
    OtherBGImage->setEnabled(BGImage && DrawPanel->ContainsControl(BGImage));
    OtherBGImageClear->setEnabled(BGImage && DrawPanel->ContainsControl(BGImage) && BGImage->Visible());
    BGGrid->setEnabled(GridShape && DrawPanel->ContainsControl(GridShape));
  } else {
    OtherBGImage->setEnabled(false);
    OtherBGImageClear->setEnabled(false);
    BGGrid->setEnabled(false);
  }
}

void TForm2::HidePopupItems() {
  for (QAction* a : {PenColorChange, BrushColorChange, Brushed, FontColorChange, ImageChange, ImageReduction, Order,
                     BGImageSetting, BGImageClear, GridSetting, QrCodeEdit, QrCodeInsert})
    a->setVisible(false);
}

void TForm2::ShowPopupFor(TPopupTarget target, bool shapeFilled, const QPoint& screenPos) {
  const bool background = BGImage && BGImage->Visible();
  FLastPopup = PopupContentsFor(target, shapeFilled, background);
  HidePopupItems();
  for (TPopupItem item : FLastPopup.Items) {
    QAction* a = nullptr;
    switch (item) {
      case TPopupItem::PenColorChange: a = PenColorChange; break;
      case TPopupItem::BrushColorChange: a = BrushColorChange; break;
      case TPopupItem::Brushed: a = Brushed; break;
      case TPopupItem::FontColorChange: a = FontColorChange; break;
      case TPopupItem::ImageChange: a = ImageChange; break;
      case TPopupItem::ImageReduction: a = ImageReduction; break;
      case TPopupItem::Order: a = Order; break;
      case TPopupItem::BGImageSetting: a = BGImageSetting; break;
      case TPopupItem::BGImageClear: a = BGImageClear; break;
      case TPopupItem::GridSetting: a = GridSetting; break;
      case TPopupItem::QrCodeEdit: a = QrCodeEdit; break;
      case TPopupItem::QrCodeInsert: a = QrCodeInsert; break;
    }
    a->setVisible(true);
  }
  if (FLastPopup.BrushedCaptionId) Brushed->setText(LoadStr(FLastPopup.BrushedCaptionId));
  ExecPopupMenu(screenPos);
}

void TForm2::ExecPopupMenu(const QPoint& screenPos) { PopupMenu->popup(screenPos); }

QPoint TForm2::ScreenPointOf(TControl* control, int x, int y) const {
  QPoint p(x, y);
  if (control && control != DrawPanel) p += control->BoundsRect().topLeft();
  return DrawView ? DrawView->mapToGlobal(DrawView->ToView(p)) : p;
}
