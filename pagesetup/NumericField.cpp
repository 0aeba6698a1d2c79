#include "NumericField.h"

#include <QValidator>

namespace {
// Refuses an edit that makes the text longer than the limit; shortening a
// longer text set by the program stays possible. The line edit already holds
// the edited text while it asks, so the length before comes from the field.
class LengthLimit : public QValidator {
 public:
  LengthLimit(QObject* parent, int maxLength, const qsizetype* lengthBefore)
      : QValidator(parent), FMax(maxLength), FBefore(lengthBefore) {}
  State validate(QString& input, int&) const override {
    return input.size() > FMax && input.size() > *FBefore ? Invalid : Acceptable;
  }

 private:
  int FMax;
  const qsizetype* FBefore;
};
}  // namespace

NumericField::NumericField(Kind kind, int maxLength, QWidget* parent)
    : QLineEdit(parent), FKind(kind), FMaxLength(maxLength) {
  setValidator(new LengthLimit(this, maxLength, &FLength));
  connect(this, &QLineEdit::textChanged, this, &NumericField::TextChanged);
}

void NumericField::TextChanged() {
  if (FKind == Digits)
    FilterDigits(*this);
  else
    FilterDecimal(*this);
  FLength = text().size();
  emit FieldChanged(text());
}
