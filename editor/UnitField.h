#pragma once
// The one-line entry field of the grid and picture-size dialogs: right
// aligned, at most eight characters typed, filtered as its unit wants while
// the user types (digits for pixels, digits and one point otherwise). Text the
// dialog sets is shown as it is and raises no Edited signal.
#include <QLineEdit>

#include "Function1.h"
#include "UnitLength.h"

class UnitField : public QLineEdit, public IFilterField {
  Q_OBJECT
 public:
  static constexpr int MaxTypedLength = 8;

  explicit UnitField(QWidget* parent = nullptr);

  void SetUnit(TEditorUnit unit) { FUnit = unit; }
  TEditorUnit Unit() const { return FUnit; }
  // The dialog shows a text (the caret goes to its end).
  void ShowText(const QString& text);

  QString FieldText() const override { return text(); }
  int FieldCaret() const override { return cursorPosition(); }
  void SetFieldText(const QString& t) override { setText(t); }
  void SetFieldCaret(int caret) override { setCursorPosition(caret); }

 signals:
  // The user changed the text; it has been filtered.
  void Edited(const QString& text);
  // The focus left the field.
  void Left();

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void TextChanged();

  TEditorUnit FUnit = TEditorUnit::Pixel;
  bool FShowing = false;
  bool FFiltering = false;
  qsizetype FLength = 0;  // the text's length after the last change
};
