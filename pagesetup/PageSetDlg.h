#pragma once
// TPageSetDlg: the page setup dialog. Its value rules live in PageSetupRules;
// the dialog forwards the user's events there and shows the resulting state.
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

#include "PageSetupRules.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class NumericField;
class TLayoutPictureView;
class TSetNameInDlg;

class TPageSetDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int ClientWidth = 612;
  static constexpr int ClientHeight = 446;

  // Reads both setup lists from folders (by default this program's).
  explicit TPageSetDlg(const ProgramFolders& folders = {}, QWidget* parent = nullptr);

  // Opening from the page setup command: the document's values.
  void HandIn(const DocumentPageSetup& doc);
  // Opening for a new document: caption "新規作成", nothing handed in, the
  // first named setup preselected.
  void StartNewDocument();
  // Places the dialog at the remembered position, unless that is on no
  // screen any more.
  void PlaceAt(int top, int left);

  // What the caller takes back on OK.
  DocumentPageSetup Result() const { return FRules.Result(); }
  const PageSetupRules& Rules() const { return FRules; }
  // The numeric field of f (the two computed margins are plain fields).
  QLineEdit* Memo(PageField f) const { return FMemos[static_cast<int>(f)]; }

  // ---- Controls.
  QScrollArea* ScrollBox1 = nullptr;
  QComboBox* YousiCB = nullptr;
  QComboBox* PaperSizeCB = nullptr;
  QGroupBox* TanniGroup = nullptr;
  QRadioButton* TanniMmRB = nullptr;
  QRadioButton* TanniInchRB = nullptr;
  QRadioButton* TanniPixRB = nullptr;
  QGroupBox* SheetSizeGroup = nullptr;
  NumericField* WidthMemo = nullptr;
  NumericField* HeightMemo = nullptr;
  QGroupBox* LayoutGroup = nullptr;
  NumericField* RetuMemo = nullptr;
  NumericField* DannMemo = nullptr;
  NumericField* TopMarginMemo = nullptr;
  NumericField* LMarginMemo = nullptr;
  QLineEdit* BottomMarginMemo = nullptr;
  QLineEdit* RMarginMemo = nullptr;
  NumericField* InsideMarginXMemo = nullptr;
  NumericField* InsideMarginYMemo = nullptr;
  TLayoutPictureView* LayoutPanel = nullptr;
  QGroupBox* OverflowGroup = nullptr;
  QSlider* TrackBar = nullptr;
  QCheckBox* TonboCB = nullptr;
  QPushButton* NewBtn = nullptr;
  QPushButton* DeleteBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* LayoutBtn = nullptr;

  // ---- Events. Showing the dialog runs FormActivate once; tests that never
  // show it call it themselves.
  void FormActivate();
  void YousiCBClick();
  void PaperSizeCBClick();
  void PaperSizeCBChange();
  void TanniMmRBClick();
  void TanniInchRBClick();
  void TanniPixRBClick() {}
  // A numeric field lost the focus.
  void MemoExit(PageField f);
  void NewBtnClick();
  void DeleteBtnClick();
  void OKBtnClick();
  // FormClose: closing with OK is refused without a card size.
  void done(int result) override;

  // Runs the name dialog modally; true when it closed with OK. Tests answer
  // it without a modal loop.
  std::function<bool(TSetNameInDlg&)> RunNameDialog;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls(QWidget* box);
  void AddMemo(PageField f, QLineEdit* memo, const QString& label, QWidget* group, int x, int y);
  void FieldEdited(PageField f, const QString& text);
  // Shows the rules' state in every control.
  void Refresh();
  void PlaceLayoutPanel();

  PageSetupRules FRules;
  std::array<QLineEdit*, PageFieldCount> FMemos{};
  bool FUpdating = false;  // the dialog itself is setting the controls
  bool FShown = false;
  int FPaperChoicesShown = -1;  // the rules' paper choice PaperSizeCB shows
};

enum class PageSetupDialogMode { Document, NewDocument };

// Shows the page setup dialog modally: on the document's values, or for a
// new document (doc is not looked at). top and left are the remembered
// position; they receive the dialog's final position whether it closes with OK
// or Cancel. Returns the dialog's values on OK, nullopt on Cancel.
std::optional<DocumentPageSetup> RunPageSetupDialog(PageSetupDialogMode mode, const DocumentPageSetup& doc,
                                                    const ProgramFolders& folders, int& top, int& left,
                                                    QWidget* parent = nullptr);
