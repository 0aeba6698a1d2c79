#pragma once
// An editor with an empty 455 x 275 worksheet, driven through the widget
// that shows the worksheet, as a user's mouse would drive it.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "Gridshape.h"
#include "PanelView.h"
#include "Unit2.h"

// Records popups instead of opening a real menu.
class HeadlessForm2 : public TForm2 {
 public:
  int PopupsOpened = 0;
  QPoint LastPopupPos;

 protected:
  void ExecPopupMenu(const QPoint& pos) override {
    ++PopupsOpened;
    LastPopupPos = pos;
  }
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Form = std::make_unique<HeadlessForm2>();
    Form->SetProgramFolder(Folder.path());
    Form->ResetEditorWorksheet(455, 275);
  }

  void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
             Qt::KeyboardModifiers mods) {
    QMouseEvent e(type, QPointF(p), Form->DrawView->mapToGlobal(QPointF(p)), button, buttons, mods);
    QApplication::sendEvent(Form->DrawView, &e);
  }
  void Press(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, p, b, b, mods);
  }
  void MoveTo(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, p, Qt::NoButton, b, mods);
  }
  void Release(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton, mods);
  }
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
    Press(from, mods);
    MoveTo(to, mods);
    Release(to, mods);
  }
  void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Press(p, {}, b);
    Release(p, {}, b);
  }
  void DoubleClick(QPoint p) {
    Click(p);
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(p), Form->DrawView->mapToGlobal(QPointF(p)), Qt::LeftButton,
                  Qt::LeftButton, {});
    QApplication::sendEvent(Form->DrawView, &e);
    Release(p);
  }
  void Key(QWidget* target, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
  }
  void SetGrid(int width) { Form->GridShape->SetGridWidth(width); }

  QTemporaryDir Folder;
  std::unique_ptr<HeadlessForm2> Form;
};
