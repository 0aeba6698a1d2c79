#pragma once
// TForm2: the worksheet editor. Adds to the layout form TForm1 the editor's
// state (tool, drawing settings, selection, modified flag), the worksheet
// (TWorksheet) and the handlers of the tools, the selection and resize
// marks, in-place text entry, deletion and picture placing. The main window
// TForm3 derives from it, so the editor's state is the main window's state.
//
// The maths the handlers apply (grid snapping, resizing by the marks, where
// the marks stand, what the popup offers) lives in plain functions beside
// this class (Snap.h, ResizeRules.h, HandlePlacement.h, PopupContents.h).
#include <QPoint>
#include <QSettings>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include <functional>

#include "Control.h"
#include "FocusExit.h"
#include "FontBoxRules.h"
#include "PopupContents.h"
#include "ProgramFolders.h"
#include "Qushape.h"
#include "ScaleRecord.h"
#include "StyleRules.h"
#include "Unit1.h"
#include "Worksheet.h"
#include "ZoomLevels.h"

class PanelView;
struct CardSnapshot;
class TClipboard;
class TGridSettingDlg;
class TImage;
class TImageReductionDlg;
class TLabelEx;
class TMemo;
class TQrCodeDlg;
class TFont;

class TForm2 : public TForm1, public TWorksheet {
  Q_OBJECT
 public:
  // Tool codes (CurrentTool). The shape tools' codes equal the TQuShapeType
  // a new shape gets.
  static constexpr int ToolRectangle = 0, ToolSquare = 1, ToolEllipse = 4, ToolCircle = 5, ToolLine = 6,
                       ToolText = 7, ToolPicture = 8, ToolPointer = 9;
  // Custom cursor numbers registered by the layout form.
  static constexpr TCursor ShapeCursor = 1, ImageCursor = 2, TextCursor = 3;
  // Virtual key of the Delete key.
  static constexpr uint16_t VK_DELETE = 46;

  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  // ---- Editor state ------------------------------------------------------
  int32_t CurrentTool = 0;
  TPenStyle PenStyle = psSolid;
  TColor DrawColor = clBlack;
  int32_t PenWidth = 1;
  TBrushStyle FillStyle = bsClear;
  TColor FillColor = TColor(0xC0C0C0);
  QString FontName;  // string 1050 after construction
  int32_t FontSize = 12;
  bool FontBold = false, FontItalic = false, FontUnderline = false;
  int32_t FontGap = 0;
  int32_t DownX = 0, DownY = 0;
  int32_t CurX = 0, CurY = 0;
  int32_t RubberLeft = 0, RubberTop = 0, RubberWidth = 0, RubberHeight = 0;
  int32_t OrigLeft = 0, OrigTop = 0, OrigRight = 0, OrigBottom = 0;
  bool UnitIsPixel = true, UnitIsMm = false, UnitIsInch = false;
  bool KeepAspect = true;
  bool SnapToGrid = true;
  bool MouseIsDown = false;
  bool ShapeToolActive = false;
  bool NewTextPending = false;
  bool ReEditing = false;
  bool PictureToolActive = false;
  bool PhraseToolActive = false;
  bool Dragging = false;
  bool HasSelection = false;
  int32_t ChangeCount = 0;
  QString PictureFolder;  // personal documents folder
  QString PhraseFolder;   // data folder + "CPhrase"
  QString BGImageFolder;  // data folder + "bkimages"
  QString HelpFile;       // data folder + string 1013
  TQuShape* CurShape = nullptr;
  TLabelEx* CurLabel = nullptr;
  TImage* CurImage = nullptr;
  TControl* SelectedObject = nullptr;
  TMemo* EditMemo = nullptr;
  std::array<TQuShape*, 8> Handles{};
  TQuShape* LabelFrame = nullptr;
  std::array<ColorSwatch*, 16> ColorButtons{};
  bool TextEditing = false;
  bool Modified = false;
  float AspectRatio = 0.0f;
  TScaleRecord Scale;  // PixelsPerMm, PixelsPerInch, InchesPerPixel, InchesPerMm, MmPerInch

  // The widget showing DrawPanel inside ScrollBox0 (nullptr without a worksheet).
  PanelView* DrawView = nullptr;

  // ---- Program folders ---------------------------------------------------
  // Where the delivered files are read and the user's files written; by
  // default everything in the executable's folder. Setting them re-derives
  // PhraseFolder, BGImageFolder and HelpFile.
  const ProgramFolders& Folders() const { return FFolders; }
  void SetProgramFolder(const ProgramFolders& folders);
  // tessolo.ini in the writable folder: our own settings beside quorin.con.
  QSettings& OwnSettings();

  // ---- The worksheet -----------------------------------------------------
  // The editor's share of ResetWorksheet: leaves the tool state (ResetTool),
  // forgets everything that lived on the old panel, builds an empty
  // worksheet of the given size, sends its mouse events to the DrawPanel
  // handlers, sets its cursor by the tool button that is down and shows it
  // in ScrollBox0.
  void ResetEditorWorksheet(int widthPx, int heightPx);
  // Removes the worksheet from the scroll box and destroys it.
  void DiscardEditorWorksheet();
  // The pieces, for callers that build the panel themselves: detach the
  // view and forget the old panel's objects before the panel goes; wire and
  // show the new panel afterwards.
  void DetachWorksheetView();
  void AttachWorksheetView();
  // Fits the scroll box's contents to DrawPanel after its size changed.
  void WorksheetResized();
  // True while DrawPanel exists and is shown in ScrollBox0.
  bool WorksheetShown() const;

  // ---- Shared operations -------------------------------------------------
  void ResetTool();
  // Ends typing, the selection and any tool: the pointer is chosen.
  void LeaveToolState();
  void AttachObject(TControl* object);
  void MarkModified();
  // A mouse button is held on the worksheet or an object.
  bool GestureUnderWay() const { return Dragging || MouseIsDown; }
  // Puts a card taken earlier on the worksheet in place of the present one;
  // nothing is selected afterwards and no tool state is left.
  void RestoreCard(const CardSnapshot& snapshot, bool withSheetSettings);
  static TColor ContrastColor(TColor color);
  // Grid rounding with GridShape's spacing (no change without a worksheet).
  void SnapPoint(int& x, int& y) const;
  void SnapValue(int& v) const;
  int GridWidth() const;

  // ---- Tools -------------------------------------------------------------
  void PointButtonClick();
  void LineButtonClick();
  void SquareButtonClick();
  void RectButtonClick();
  void CircleButtonClick();
  void EllipseButtonClick();
  void TextButtonClick();
  void imageButtonClick();
  void CFButtonClick();

  // Worksheet mouse handlers (points in worksheet pixels).
  void DrawPanelMouseDown(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void DrawPanelMouseMove(TControl* sender, TShiftState shift, int x, int y);
  void DrawPanelMouseUp(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);

  // ---- Selection, moving, resizing ---------------------------------------
  void ShapeMouseDown(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ShapeMouseMove(TControl* sender, TShiftState shift, int x, int y);
  void ShapeMouseUp(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ImageMouseDown(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ImageMouseMove(TControl* sender, TShiftState shift, int x, int y);
  void ImageMouseUp(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void LabelMouseDown(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void LabelMouseMove(TControl* sender, TShiftState shift, int x, int y);
  void LabelMouseUp(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void HandleMouseDown(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);
  void HandleMouseMove(TControl* sender, TShiftState shift, int x, int y);
  void HandleMouseUp(TControl* sender, TMouseButton button, TShiftState shift, int x, int y);

  void SelectObject(TControl* object, int top, int width, int height, int left);
  void Deselect();

  // Key handling: the window sees every key first. Key is a virtual key code;
  // a key handled here and not to be passed on is set to 0 (the arrows that
  // move the selected object).
  void FormKeyDown(uint16_t& key, TShiftState shift);
  // Moves the selected object by an arrow key's step; false for other keys
  // or when nothing on the worksheet is to be moved.
  bool MoveSelectionByKey(uint16_t key, TShiftState shift);
  void OtherMenuClick();
  void EditMenuClick() {}

  // ---- Text --------------------------------------------------------------
  void LabelDblClick(TControl* sender);
  void OpenTextEditor();
  void CloseTextEditor();
  void ApplyStyleButtons(TFont* font) const;

  // ---- Clipboard and delete ---------------------------------------------
  void EditCutClick();
  void EditCopyClick();
  void EditPasteClick();
  // Copies the selected object, or the memo's selected text while typing.
  void CopySelection();
  void DeleteObject(TControl* object);
  // Whether a key belongs to the worksheet rather than to a box being typed in.
  bool WorksheetHasKeyboardFocus() const;

  // ---- Pictures ------------------------------------------------------------
  // kind 0: an ordinary picture; 1: a catch phrase.
  void InsertPicture(int kind);

  // ---- Line, fill, colour and stacking order (Unit2Style.cpp) -------------
  void psSolidButtonClick();
  void psDotButtonClick();
  void WidthButtonClick(int width);  // Width1 ... Width6
  void ForColorClick();
  void BackColorClick();
  void ColorButtonMouseDown(ColorSwatch* sender, TMouseButton button);
  void PenColorChangeClick();
  void BrushColorChangeClick();
  void BrushedClick();
  void FontColorChangeClick();
  void FrontClick();
  void BackClick();

  // ---- Text formatting (Unit2Format.cpp) ---------------------------------
  void BoldButtonClick();
  void ItalicButtonClick();
  void UnderlineButtonClick();
  // When the box loses the focus.
  void FontSizeComboBoxExit();
  void GapComboBoxExit();
  void FontNameComboBoxExit();
  // ---- Picture, background and grid commands (popup, menu, font bar) -------
  void ImageChangeClick();
  void ImageReductionClick();
  // OtherBGImage, BGImageButton and BGImageSetting.
  void BGImageSettingClick();
  // OtherBGImageClear and BGImageClear.
  void BGImageClearClick();
  void GridButtonClick();
  // BGGrid and GridSetting.
  void GridSettingClick();
  // Run the dialogs modally; true when closed with OK. Tests answer them
  // without a modal loop.
  std::function<bool(TImageReductionDlg&)> RunImageReductionDialog;
  std::function<bool(TGridSettingDlg&)> RunGridSettingDialog;

  // ---- Zoom (Unit2Zoom.cpp) ------------------------------------------------
  // Only the view scales: handlers, rules and documents stay in worksheet
  // pixels. The choice is kept in tessolo.ini.
  const ZoomLevels::TZoomSetting& ZoomSetting() const { return FZoom; }
  // The zoom the worksheet is shown at, in percent (a fitted one included).
  int WorksheetZoom() const;
  void ZoomStepClick(int percent);
  void ZoomFitClick();
  void ZoomInClick();
  void ZoomOutClick();

  // ---- QR codes (Unit2QrCode.cpp) ------------------------------------------
  // A new code from the dialog: centred on the card from the menu, at the
  // pressed point from the worksheet's popup.
  void InsertQrCode(bool atPressedPoint);
  // Reopens the dialog on a code and re-makes it in place on OK.
  void EditQrCode(TImage* image);
  // A double-click on a code edits it once the button is released.
  void ImageDblClick(TControl* sender);
  std::function<bool(TQrCodeDlg&)> RunQrCodeDialog;

  // ---- Popup menu --------------------------------------------------------
  // Shows the items that fit target and opens the menu at the screen point.
  void ShowPopupFor(TPopupTarget target, bool shapeFilled, const QPoint& screenPos);
  // The items shown by the last ShowPopupFor.
  const TPopupContents& LastPopup() const { return FLastPopup; }

 protected:
  // Told of every change MarkModified marks (mergeKey non-zero for the moves
  // of one arrow-key burst), of a released mouse button, and of the in-place
  // editor opening or closing. The main window keeps the history with these.
  virtual void CardChanged(int /*mergeKey*/) {}
  virtual void GestureEnded() {}
  virtual void TextEntryChanged() {}

  // Opens PopupMenu at the screen point (the items are already set).
  // Overridable so that a headless run need not open a real menu.
  virtual void ExecPopupMenu(const QPoint& screenPos);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Tools.
  void ChooseTool(int code, TSpeedButton* button, bool* flag, TCursor cursor, int instructionId);
  void ReturnToPointer();
  void SetWorksheetCursor(TCursor cursor);
  void RestoreToolHints();
  bool SnapApplies(TShiftState shift) const { return SnapToGrid && !(shift & ssAlt); }
  void SnapIfApplies(TShiftState shift, int& x, int& y) const;

  // Moving objects (shared by the three classes).
  void ObjectMouseDown(TControl* object, TShiftState shift, int x, int y);
  void ObjectMouseMove(TControl* object, TShiftState shift, int x, int y);
  void ObjectMouseUp(TControl* object, TMouseButton button, TShiftState shift, int x, int y);
  QPoint ScreenPointOf(TControl* control, int x, int y) const;

  // Marks.
  void CreateHandles(int left, int top, int width, int height, bool line, TQuShapeType kind);
  void PlaceHandles(int left, int top, int width, int height);
  void DestroyHandles();
  void CreateLabelFrame(const TLabelEx* label);
  void SetFontControlsEnabled(bool enabled);
  void SetLineControlsEnabled(bool enabled);
  void SetCutCopyEnabled(bool enabled);
  void PressWidthButton(int width);
  void PressStyleButton(TPenStyle style);
  void ShowEditorFontSettings();
  void ApplyFontBoxesToLabel(TLabelEx* label);

  // Text.
  void OpenNewTextEditor();
  TMemo* CreateEditMemo();
  void EditMemoKeyUp();
  void MeasureMemo(const QString& text, int extraWidth);
  static void FitLabel(TLabelEx* label);
  void AbandonTextEditor();

  // Line, fill, colour and stacking order.
  void WireStyleCommands();
  TStyleContext StyleContext() const;
  TQuShape* SelectedShape() const;
  TLabelEx* SelectedText() const;
  bool OnWorksheet(const TControl* object) const;
  void PressLineButton(TLineButton button);
  // The colour dialog on initial; the colour chosen, nullopt on Cancel.
  std::optional<TColor> ChooseColor(TColor initial);
  void SetDrawColor(TColor color);
  void SetFillColor(TColor color);
  void ChangePenColor(TQuShape* shape, TColor color);
  void ChangeFontColor(TLabelEx* label, TColor color);
  void FillShape(TQuShape* shape, TColor color);

  // Text formatting.
  void WireFormatCommands();
  void FontStyleButtonClick(TSpeedButton* button, bool& setting);
  void FontBoxExit(TFontBox box);
  // The number the box stands for now: the text being typed, the selected
  // text or the editor's own setting.
  int FontBoxValueInForce(TFontBox box) const;
  // Tells why a box's value was refused, once the event at hand is over
  // (a message box in the middle of a mouse press would swallow its release).
  void ReportRefusal(const QString& message);
  // Clipboard.
  void WireClipboardCommands();
  bool PasteComponent(TClipboard& clipboard);
  void PasteText(const QString& text);
  bool PastePicture(TClipboard& clipboard);
  // Connects the picture, background and grid commands to their menu items
  // and buttons.
  void WirePictureCommands();
  void WireQrCodeCommands();
  // Shows why a code could not be made.
  void ReportQrFailure(const QString& reason);
  // The code double-clicked, edited at its release.
  TControl* FPendingQrEdit = nullptr;

  // Zoom.
  void WireZoomCommands();
  void ReadZoomSetting();
  void ChooseZoom(ZoomLevels::TZoomSetting setting, std::optional<QPoint> viewportAnchor = std::nullopt);
  // Shows the worksheet at the chosen zoom, keeping the worksheet point at
  // viewportAnchor (the middle of the scroll box by default) where it was.
  void ApplyZoom(std::optional<QPoint> viewportAnchor = std::nullopt);
  void ZoomByWheel(int steps, QPoint viewPos);

  // Forgets every reference into the current panel (before it goes).
  void ForgetWorksheetObjects();
  void HidePopupItems();

  ProgramFolders FFolders;
  std::unique_ptr<QSettings> FOwnSettings;
  // Arrow-key moves of one selection share this key; every selection and
  // restored card starts a new burst.
  int FArrowBurst = 1;
  int FChangeMergeKey = 0;
  TPopupContents FLastPopup;
  ZoomLevels::TZoomSetting FZoom;
  // Exit watchers of the font boxes; they go before the boxes do.
  std::vector<std::unique_ptr<FocusExit>> FBoxExits;
};
