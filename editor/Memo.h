#pragma once
// TMemo: a multi-line text editor placed on a panel like any other control.
// It is a real Qt editor (its NativeWidget), which the PanelView showing the
// panel places at the control's bounds. Its Font is the platform font; its
// Text joins lines with CR LF, as the platform's memo does.
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "WinControl.h"

class QPlainTextEdit;

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  QWidget* NativeWidget() const override;
  void SetNativeScale(double scale) override;
  QPlainTextEdit* Editor() const { return FEdit.get(); }

  QString Text() const;
  void SetText(const QString& text);
  // What Text gives back after SetText(text) when nothing was typed.
  static QString Unedited(const QString& text);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  void SetFocus();
  // Typing starts here: what was set up before is not the user's to undo.
  void ForgetUndo();

  // After every key released in the editor.
  std::function<void(TMemo*)> OnKeyUp;

 protected:
  void FontChanged() override;

 private:
  class KeyWatcher;
  std::unique_ptr<QPlainTextEdit> FEdit;
  std::unique_ptr<KeyWatcher> FWatcher;
  bool FWordWrap = true;
  double FNativeScale = 1.0;
};
