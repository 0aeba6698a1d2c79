#pragma once
// TAboutDXDlg: the About box: the program's picture, name and version.
#include <QDialog>

class QLabel;
class QPushButton;

class TAboutDXDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutDXDlg(QWidget* parent = nullptr);

  QLabel* ProgramIcon = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;  // "Version " and the version text, set by the caller
  QLabel* Comments = nullptr;
  QPushButton* OKButton = nullptr;
};
