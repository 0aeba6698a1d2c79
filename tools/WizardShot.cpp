// wizard_shot OUTPUT_FOLDER [PROGRAM_FOLDER [TEMPLATE_NAME]]
// Shows the start wizard as at start-up, walks it to the template page,
// clicks a template and saves pictures of the screen around it after each
// step:
// wizard-page1.png, wizard-page2.png and wizard.png. Meant for a virtual
// display (xvfb-run).
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

#include "WizardDlg.h"

namespace {

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The screen where the wizard is, with a small margin.
bool Shoot(const QWidget& wizard, const QDir& out, const QString& name) {
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = wizard.frameGeometry().adjusted(-8, -8, 8, 8);
  const QPixmap shot = screen ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()) : QPixmap();
  const bool ok = !shot.isNull() && shot.save(out.filePath(name));
  std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(out.filePath(name)));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) {
    std::fprintf(stderr, "usage: wizard_shot OUTPUT_FOLDER [PROGRAM_FOLDER [TEMPLATE_NAME]]\n");
    return 2;
  }
  const QDir out(args.value(0));
  const QString programFolder = args.value(1);
  const QString templateName = args.value(2);

  TWizardDlg wizard(nullptr, programFolder);
  wizard.SetStartMode(1);
  wizard.show();
  Settle(400);
  bool ok = Shoot(wizard, out, QStringLiteral("wizard-page1.png"));
  wizard.OKBtn->click();
  Settle(300);
  ok &= Shoot(wizard, out, QStringLiteral("wizard-page2.png"));
  wizard.OKBtn->click();
  int row = 0;
  if (!templateName.isEmpty()) {
    const auto found = wizard.TemplateListBox->findItems(templateName, Qt::MatchExactly);
    if (!found.isEmpty()) row = wizard.TemplateListBox->row(found.front());
  }
  if (wizard.TemplateListBox->count() > 0) wizard.TemplateListBox->item(row)->setSelected(true);
  Settle(500);
  ok &= Shoot(wizard, out, QStringLiteral("wizard.png"));
  return ok ? 0 : 1;
}
