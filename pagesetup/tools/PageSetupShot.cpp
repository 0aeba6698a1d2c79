// Shows the page setup dialog and saves a picture of it, to look at its
// layout on a real display (for example under Xvfb).
//   pagesetup_shot OUT.png [--new] [--select N] [--inch] [--letter]
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>

#include "PageSetDlg.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) {
    std::fprintf(stderr, "usage: pagesetup_shot OUT.png [--new] [--select N] [--inch] [--letter]\n");
    return 2;
  }
  TPageSetDlg dlg;
  if (args.contains(QStringLiteral("--new"))) {
    dlg.StartNewDocument();
  } else {
    DocumentPageSetup doc;
    doc.PaperWidth = 210.0f;
    doc.PaperHeight = 297.0f;
    dlg.HandIn(doc);
  }
  dlg.PlaceAt(40, 40);
  dlg.show();
  dlg.FormActivate();
  const qsizetype select = args.indexOf(QStringLiteral("--select"));
  if (select >= 0 && select + 1 < args.size()) {
    dlg.YousiCB->setCurrentIndex(args[select + 1].toInt());
    dlg.YousiCBClick();
  }
  if (args.contains(QStringLiteral("--letter"))) {
    dlg.PaperSizeCB->setCurrentIndex(1);
    dlg.PaperSizeCBClick();
  }
  if (args.contains(QStringLiteral("--inch"))) {
    dlg.TanniInchRB->setChecked(true);
    dlg.TanniInchRBClick();
  }
  int status = 1;
  QTimer::singleShot(500, [&] {
    status = dlg.grab().save(args[0]) ? 0 : 1;
    app.quit();
  });
  app.exec();
  return status;
}
