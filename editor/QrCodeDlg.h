#pragma once
// TQrCodeDlg: asks for a QR code's content (a text or URL, or a contact as
// vCard or MECARD), its error-correction level and its size, and shows the
// code as it is typed. What the fields mean is TQrRequest.
#include <QDialog>

#include <array>

#include "QrCodeRequest.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

class TQrCodeDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TQrCodeDlg(QWidget* parent = nullptr);

  // Opens on request; editing a placed code keeps its size.
  void HandIn(const TQrRequest& request, bool editing);
  // Fills the fields from request.
  void SetRequest(const TQrRequest& request);
  // What the fields hold now.
  TQrRequest Request() const;
  // The preview's reason when the content makes no code (empty otherwise).
  QString PreviewReason() const { return FPreviewReason; }

  QRadioButton *TextRB = nullptr, *ContactRB = nullptr;
  QStackedWidget* Pages = nullptr;
  QPlainTextEdit* TextMemo = nullptr;
  // Name, kana, company, title, phone, fax, mail, URL, address.
  std::array<QLineEdit*, 9> ContactEdits{};
  QRadioButton *VCardRB = nullptr, *MeCardRB = nullptr;
  QComboBox* LevelCB = nullptr;
  QDoubleSpinBox* SizeEdit = nullptr;
  QLabel* PreviewImage = nullptr;
  QPushButton *OKBtn = nullptr, *CancelBtn = nullptr;

  // Closes with OK unless the content makes no code (the user is told why).
  void OKBtnClick();

 private:
  void KindChanged();
  void UpdatePreview();

  QString FPreviewReason;
  bool FFilling = false;
};
