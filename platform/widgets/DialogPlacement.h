#pragma once
// The editor's dialogs open centred on the screen that holds their parent
// (or the primary screen).
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

inline void CentreOnScreen(QWidget* dialog) {
  QScreen* screen = dialog->parentWidget() ? dialog->parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = dialog->frameGeometry();
  dialog->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2) + (dialog->pos() - frame.topLeft()));
}
