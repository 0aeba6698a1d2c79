#include "FocusExit.h"

#include <QFocusEvent>
#include <QWidget>

FocusExit::FocusExit(QWidget* target, std::function<void()> onExit) : FTarget(target), FOnExit(std::move(onExit)) {
  FTarget->installEventFilter(this);
  // The target may go first; forget it then.
  connect(FTarget, &QObject::destroyed, this, [this] { FTarget = nullptr; });
}

FocusExit::~FocusExit() {
  if (FTarget) FTarget->removeEventFilter(this);
}

bool FocusExit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FTarget && event->type() == QEvent::FocusOut && FOnExit) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) FOnExit();
  }
  return QObject::eventFilter(watched, event);
}
