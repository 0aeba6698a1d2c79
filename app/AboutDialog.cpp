#include "AboutDialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "CommonText.h"
#include "DialogFrame.h"
#include "Glyphs.h"
#include "StringTable.h"

TAboutDXDlg::TAboutDXDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDXDlg"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setFixedSize(300, 170);
  SetDialogFrame(this);

  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setGeometry(8, 8, 284, 116);

  ProgramIcon = new QLabel(frame);
  ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
  ProgramIcon->setPixmap(GlyphPixmap(GlyphKind::CardIcon));
  ProgramIcon->setGeometry(12, 12, 32, 32);

  ProductName = new QLabel(LoadStr(CommonText::ProgramName), frame);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  QFont big = font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  ProductName->setFont(big);
  ProductName->setGeometry(60, 12, 210, 24);

  Version = new QLabel(frame);
  Version->setObjectName(QStringLiteral("Version"));
  Version->setGeometry(60, 42, 210, 18);

  Comments = new QLabel(QStringLiteral("名刺のデザインと印刷のためのプログラム"), frame);
  Comments->setObjectName(QStringLiteral("Comments"));
  Comments->setWordWrap(true);
  Comments->setGeometry(12, 70, 260, 36);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  OKButton->setGeometry(112, 134, 75, 25);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
