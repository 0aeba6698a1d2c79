#include "SetNameInDlg.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogFrame.h"
#include "SetupNameInput.h"

TSetNameInDlg::TSetNameInDlg(const SetupTable& table, QWidget* parent) : QDialog(parent), FTable(table) {
  setObjectName(QStringLiteral("SetNameInDlg"));
  setWindowTitle(QStringLiteral("設定名入力"));
  setFixedSize(330, 112);
  SetDialogFrame(this);

  Label1 = new QLabel(QStringLiteral("この設定を保存する名前を入力してください"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(12, 12, 306, 18);

  NameEdit = new QLineEdit(this);
  NameEdit->setObjectName(QStringLiteral("NameEdit"));
  NameEdit->setGeometry(12, 36, 306, 24);
  NameEdit->installEventFilter(this);

  // Neither button is the default: Return in the name field closes nothing.
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setAutoDefault(false);
  OKBtn->setGeometry(156, 74, 75, 25);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

  CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setAutoDefault(false);
  CancelBtn->setGeometry(243, 74, 75, 25);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QString TSetNameInDlg::Name() const { return TrimSetupName(NameEdit->text()); }

void TSetNameInDlg::NameEditExit() {
  const QString trimmed = Name();
  if (trimmed != NameEdit->text()) NameEdit->setText(trimmed);
}

bool TSetNameInDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == NameEdit && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
    // Switching to another window or opening the field's menu is no exit.
    if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) NameEditExit();
  }
  return QDialog::eventFilter(watched, event);
}

void TSetNameInDlg::done(int result) {
  if (result == Accepted) {
    // The focus need not have left the field (a keyboard shortcut), so trim
    // here too.
    NameEditExit();
    if (!AcceptSetupName(Name(), FTable)) return;
  }
  QDialog::done(result);
}
