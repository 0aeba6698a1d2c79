#pragma once
// The application object: shows an error that escapes an event handler with
// the standard error display and carries on, as the widget library's
// application does.
#include <QApplication>

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
