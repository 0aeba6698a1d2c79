// TForm2: placing a QR code from its dialog and editing one in place.
#include <QAction>
#include <QDialog>
#include <QMenu>

#include "Image.h"
#include "Picture.h"
#include "QrCode.h"
#include "QrCodeDlg.h"
#include "StringTable.h"
#include "Unit2.h"
#include "UserInterface.h"
#include "WinControl.h"

namespace {
constexpr int kMessageTitle = 1010;
}  // namespace

void TForm2::WireQrCodeCommands() {
  connect(OtherQrCode, &QAction::triggered, this, [this] { InsertQrCode(false); });
  connect(QrCodeInsert, &QAction::triggered, this, [this] { InsertQrCode(true); });
  connect(QrCodeEdit, &QAction::triggered, this, [this] { EditQrCode(CurImage); });
  RunQrCodeDialog = [](TQrCodeDlg& dlg) { return dlg.exec() == QDialog::Accepted; };
  // Without a worksheet there is nowhere to put a code.
  connect(OtherMenu, &QMenu::aboutToShow, this, [this] { OtherQrCode->setEnabled(WorksheetShown()); });
}

void TForm2::ReportQrFailure(const QString& reason) { UI().MessageBox(reason, LoadStr(kMessageTitle), mbOK); }

void TForm2::InsertQrCode(bool atPressedPoint) {
  if (!WorksheetShown()) return;
  if (TextEditing) CloseTextEditor();
  TQrCodeDlg dlg(this);
  dlg.HandIn(TQrRequest(), false);
  if (!RunQrCodeDialog(dlg) || !WorksheetShown()) return;

  const TQrRequest request = dlg.Request();
  // Made aside first: content that makes no code leaves nothing behind.
  TImage made(nullptr);
  if (const TOutcome outcome = MakeQrCode(made, request.Content(), request.Level); !outcome.Ok()) {
    ReportQrFailure(outcome.Reason());
    return;
  }
  const int side = request.SizePx();
  const int left = atPressedPoint ? DownX : (DrawPanel->Width() - side) / 2;
  const int top = atPressedPoint ? DownY : (DrawPanel->Height() - side) / 2;

  auto* image = new TImage(DrawPanel);
  image->SetParent(DrawPanel);
  image->SetCursor(crHandPoint);
  image->SetPicture(made.Picture());
  image->SetStretch(true);
  image->SetTag(made.Tag());
  image->SetHint(made.Hint());
  image->SetBounds(left, top, side, side);
  AttachObject(image);
  CurImage = image;
  MarkModified();
  SelectObject(image, image->Top(), image->Width(), image->Height(), image->Left());
}

void TForm2::EditQrCode(TImage* image) {
  if (!image || !DrawPanel || !DrawPanel->ContainsControl(image) || !IsQrCode(*image)) return;
  if (TextEditing) CloseTextEditor();
  const TQrLevel level = QrLevelOf(*image);
  TQrCodeDlg dlg(this);
  dlg.HandIn(TQrRequest::FromContent(image->Hint(), level, image->Width()), true);
  // The code may have gone while the dialog was open.
  if (!RunQrCodeDialog(dlg) || !DrawPanel || !DrawPanel->ContainsControl(image)) return;

  const TQrRequest request = dlg.Request();
  if (request.Content() == image->Hint() && request.Level == level) return;
  if (const TOutcome made = MakeQrCode(*image, request.Content(), request.Level); !made.Ok()) {
    ReportQrFailure(made.Reason());
    return;
  }
  CurImage = image;
  MarkModified();
}

void TForm2::ImageDblClick(TControl* sender) {
  if (sender && IsQrCode(*sender)) FPendingQrEdit = sender;
}
