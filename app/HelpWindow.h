#pragma once
// The help viewer: the program's help document (an HTML file beside the
// program) in a browser window, opened at a named topic.
#include <QDialog>

class QTextBrowser;

class THelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // Shows the document at path, scrolled to the anchor topic. Returns false
  // (showing nothing) when the file cannot be read.
  bool OpenTopic(const QString& path, const QString& topic);

  QTextBrowser* Browser = nullptr;
};
