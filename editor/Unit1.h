#pragma once
// TForm1: the layout of the main window and nothing else: the tool box, the
// font bar, the colour bar, the scroll box holding the worksheet, the status
// bar, the main menu and the object popup menu, with their captions, hints,
// positions and sizes. TForm2 adds the editor's behaviour, TForm3 the
// application's.
#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QScrollArea;
class QStatusBar;
class QWidget;
class TSpeedButton;
class TCustomLabel;
class TLabelEx;
class ColorSwatch;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Tool box (left, 65 wide).
  QWidget* ToolBox = nullptr;
  TSpeedButton *TextButton = nullptr, *PointButton = nullptr, *SquareButton = nullptr, *RectButton = nullptr,
               *CircleButton = nullptr, *EllipseButton = nullptr, *LineButton = nullptr, *imageButton = nullptr,
               *CFButton = nullptr;
  TSpeedButton *psSolidButton = nullptr, *psDotButton = nullptr;
  TSpeedButton *Width1 = nullptr, *Width2 = nullptr, *Width3 = nullptr, *Width4 = nullptr, *Width5 = nullptr,
               *Width6 = nullptr;

  // Font bar (top, 57 high).
  QWidget* FontPanel = nullptr;
  TSpeedButton *FileNewButton = nullptr, *FileOpenButton = nullptr, *FileSaveButton = nullptr,
               *PrintPreviewButton = nullptr, *PrintButton = nullptr, *PrintSetupButton = nullptr,
               *HelpButton = nullptr;
  QComboBox *FontNameComboBox = nullptr, *FontSizeComboBox = nullptr, *GapComboBox = nullptr;
  TSpeedButton *BoldButton = nullptr, *ItalicButton = nullptr, *UnderlineButton = nullptr;
  QLabel* Image1 = nullptr;
  TSpeedButton *CutButton = nullptr, *CopyButton = nullptr, *PasteButton = nullptr, *BGImageButton = nullptr,
               *GridButton = nullptr;
  TCustomLabel* TestLabel = nullptr;  // never shown: measures text
  TLabelEx* TestLabelEx = nullptr;    // never shown

  // Colour bar (bottom, 41 high).
  QWidget* ColorPanel = nullptr;
  ColorSwatch *ForColor = nullptr, *BackColor = nullptr;

  // The scroll box that holds the worksheet, and the status bar.
  QScrollArea* ScrollBox0 = nullptr;
  QStatusBar* StatusBar1 = nullptr;

  // Main menu.
  QMenu *FileMenu = nullptr, *EditMenu = nullptr, *OtherMenu = nullptr, *HelpMenu = nullptr;
  // The View menu: zoom in and out one step, the steps (checked: the zoom
  // shown), and fitting the window.
  QMenu* ViewMenu = nullptr;
  QAction *ViewZoomIn = nullptr, *ViewZoomOut = nullptr, *ViewFit = nullptr;
  std::array<QAction*, 7> ViewZoomSteps{};
  QAction *FileNew = nullptr, *FileOpen = nullptr, *FileSave = nullptr, *FileSaveAs = nullptr,
          *WorkSheetClear = nullptr, *FilePreview = nullptr, *FilePrint = nullptr, *FilePrintSetup = nullptr,
          *FileMergePrint = nullptr,
          *FileExit = nullptr;
  QAction *EditUndo = nullptr, *EditRedo = nullptr;
  // Our own, after the page setup: the printer's position corrections.
  QAction* FilePrintCalibration = nullptr;
  QAction *EditCut = nullptr, *EditCopy = nullptr, *EditPaste = nullptr;
  QAction *OtherBGImage = nullptr, *OtherBGImageClear = nullptr, *BGGrid = nullptr;
  QAction* OtherQrCode = nullptr;
  QAction *Contents1 = nullptr, *About1 = nullptr;

  // Object popup menu; every item hidden at rest.
  QMenu* PopupMenu = nullptr;
  QAction *PenColorChange = nullptr, *BrushColorChange = nullptr, *Brushed = nullptr, *FontColorChange = nullptr,
          *ImageChange = nullptr, *ImageReduction = nullptr, *Order = nullptr, *Front = nullptr, *Back = nullptr,
          *BGImageSetting = nullptr, *BGImageClear = nullptr, *GridSetting = nullptr;
  QAction *QrCodeEdit = nullptr, *QrCodeInsert = nullptr;
  QMenu* OrderMenu = nullptr;

  // Focus sink and hidden helpers.
  QPlainTextEdit* TestMemo = nullptr;
  QLabel *TestLabel1 = nullptr, *TestLabel2 = nullptr, *TestLabel3 = nullptr;

  // The width buttons in order, Width1 first.
  std::array<TSpeedButton*, 6> WidthButtons() const { return {Width1, Width2, Width3, Width4, Width5, Width6}; }
};
