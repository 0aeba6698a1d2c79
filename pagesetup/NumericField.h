#pragma once
// The one-line numeric entry field of the page setup, grid and picture-size
// dialogs: it runs its entry filter on every change of its text, typed or set.
#include <QLineEdit>

#include "Function1.h"

class NumericField : public QLineEdit, public IFilterField {
  Q_OBJECT
 public:
  enum Kind { Digits, Decimal };
  NumericField(Kind kind, int maxLength, QWidget* parent = nullptr);

  Kind FilterKind() const { return FKind; }
  // Limits what the user types or pastes; text set by the program may be
  // longer (a computed margin such as -3.031 in a five-character field).
  int MaxLength() const { return FMaxLength; }

  QString FieldText() const override { return text(); }
  int FieldCaret() const override { return cursorPosition(); }
  void SetFieldText(const QString& t) override { setText(t); }
  void SetFieldCaret(int caret) override { setCursorPosition(caret); }

 signals:
  // After the filter ran: the dialog sets the field's modified mark.
  void FieldChanged(const QString& text);

 private:
  void TextChanged();
  Kind FKind;
  int FMaxLength;
  qsizetype FLength = 0;  // the text's length after the last change
};
