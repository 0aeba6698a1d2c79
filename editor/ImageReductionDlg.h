#pragma once
// TImageReductionDlg: scales a picture by its width and height in pixels,
// millimetres or inches, optionally keeping its aspect ratio, with a preview
// of the picture at the entered pixel size. Its value rules live in
// TImageReductionRules; the dialog forwards the user's events there and shows
// the resulting texts.
#include <QDialog>

#include <memory>

#include "ImageReductionRules.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class PanelView;
class TGraphic;
class TImage;
class TPanel;
class UnitField;

class TImageReductionDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TImageReductionDlg(QWidget* parent = nullptr);
  ~TImageReductionDlg() override;

  // Opening on a picture: its graphic (shared with the preview, not copied
  // pixel by pixel), its present size, the unit and the fixed-ratio setting.
  void HandIn(const TGraphic* graphic, int widthPx, int heightPx, TEditorUnit unit, bool keepAspect);

  // What the editor takes back on OK.
  int WidthPx() const { return FRules.WidthPx(); }
  int HeightPx() const { return FRules.HeightPx(); }
  TEditorUnit Unit() const { return FRules.Unit(); }
  bool KeepAspect() const { return FRules.FixedRatio(); }
  const TImageReductionRules& Rules() const { return FRules; }
  const TPreviewLayout& PreviewLayout() const { return FLayout; }

  // ---- Controls.
  QLabel* WidthLabel = nullptr;
  UnitField* ImageWidthMemo = nullptr;
  QLabel* HeightLabel = nullptr;
  UnitField* ImageHeightMemo = nullptr;
  QCheckBox* FixedRateCB = nullptr;
  QGroupBox* GroupBox = nullptr;
  QRadioButton* TanniMmRB = nullptr;
  QRadioButton* TanniInRB = nullptr;
  QRadioButton* TanniPixRB = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* ImagePreviewBtn = nullptr;
  QWidget* ImagePreviewPanel = nullptr;
  TImage* PreviewImage = nullptr;  // on the preview's own panel
  QScrollBar* IPHScrollBar = nullptr;
  QScrollBar* IPVScrollBar = nullptr;
  QWidget* MekakushiPanel = nullptr;

  // ---- Events.
  void TanniClick(TEditorUnit unit);
  void ImageWidthMemoChange(const QString& text);
  void ImageWidthMemoExit();
  void ImageHeightMemoChange(const QString& text);
  void ImageHeightMemoExit();
  void FixedRateCBClick();
  // Shows the picture at the entered size, unless no picture can take it.
  void ImagePreviewBtnClick();
  void IPHScrollBarChange(int position);
  void IPVScrollBarChange(int position);
  // Closes with OK unless the size is one no picture can take.
  void OKBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildPreview();
  void LayOutPreview(int w, int h);
  void Refresh();

  TImageReductionRules FRules;
  TPreviewLayout FLayout;
  std::unique_ptr<TPanel> FPreviewPanel;  // the windowless panel the preview shows
  PanelView* FPreviewView = nullptr;
  bool FShowing = false;  // the dialog itself sets the controls
};
