#include "HelpWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Tessolo ヘルプ"));
  // A help window stays open beside the work, as a help viewer does.
  setModal(false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  resize(560, 480);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Browser = new QTextBrowser(this);
  Browser->setObjectName(QStringLiteral("Browser"));
  Browser->setOpenExternalLinks(false);
  layout->addWidget(Browser);
}

bool THelpWindow::OpenTopic(const QString& path, const QString& topic) {
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable()) return false;
  QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  url.setFragment(topic);
  // The extension is the program's own (".hlp"); the content is HTML.
  Browser->setSource(url, QTextDocument::HtmlResource);
  return !Browser->document()->isEmpty();
}
