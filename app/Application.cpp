#include "Application.h"

#include <exception>

#include "ErrorText.h"
#include "UserInterface.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    UI().ShowError(ErrorText(e));
  }
  return false;
}
