#pragma once
// The platform's exit event of a control: a handler run when the control
// loses the keyboard focus to another control of the window. Opening the
// control's own drop-down list or switching to another window is not
// leaving it.
#include <QObject>

#include <functional>

class QWidget;

class FocusExit : public QObject {
 public:
  // Watches target until this object is destroyed (not owned by target).
  FocusExit(QWidget* target, std::function<void()> onExit);
  ~FocusExit() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* FTarget;
  std::function<void()> FOnExit;
};
