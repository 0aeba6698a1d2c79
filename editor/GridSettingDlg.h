#pragma once
// TGridSettingDlg: shows or hides the worksheet's grid, sets its spacing in
// pixels, millimetres or inches, and switches snapping to it. Its value rules
// live in TGridSettingRules; the dialog forwards the user's events there and
// shows the resulting text.
#include <QDialog>

#include "GridSettingRules.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class UnitField;

class TGridSettingDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TGridSettingDlg(QWidget* parent = nullptr);

  // Opening on the editor's grid: its spacing in pixels, whether it is shown,
  // whether objects snap to it, and the unit of the dialogs.
  void HandIn(int gridWidthPx, bool gridShown, bool snapToGrid, TEditorUnit unit);

  // What the editor takes back on OK.
  int GridWidthPx() const { return FRules.Value().Px; }
  bool GridShown() const;
  bool SnapToGrid() const;
  TEditorUnit Unit() const { return FRules.Unit(); }
  const TGridSettingRules& Rules() const { return FRules; }

  // ---- Controls.
  QCheckBox* GridDspCheckBox = nullptr;
  QCheckBox* FitGridCheckBox = nullptr;
  QLabel* GridLabel = nullptr;
  UnitField* GridMemo = nullptr;
  QGroupBox* GroupBox = nullptr;
  QRadioButton* TanniMmRB = nullptr;
  QRadioButton* TanniInRB = nullptr;
  QRadioButton* TanniPixRB = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // ---- Events.
  void TanniClick(TEditorUnit unit);
  void GridMemoChange(const QString& text);
  void GridMemoExit();
  // Closes with OK unless the spacing is one the grid cannot take.
  void OKBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Refresh();

  TGridSettingRules FRules;
};
