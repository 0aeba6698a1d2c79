#pragma once
// TSetNameInDlg: asks for the name under which the page setup dialog
// registers its current values as a user setup.
#include <QDialog>

#include "SetupLists.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TSetNameInDlg : public QDialog {
  Q_OBJECT
 public:
  // table: the setups the name must not repeat.
  explicit TSetNameInDlg(const SetupTable& table, QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QLineEdit* NameEdit = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // The name as it will be registered: trimmed.
  QString Name() const;

  // Leaving the name field trims it.
  void NameEditExit();

  // FormClose: closing with OK keeps the dialog open, after saying why, while
  // the name cannot be registered. Cancel closes always.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const SetupTable& FTable;
};
