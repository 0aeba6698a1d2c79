#include "UnitField.h"

#include <QFocusEvent>
#include <QValidator>

namespace {
// Refuses an edit that makes the text longer than the limit; a longer text
// the dialog set can still be shortened.
class LengthLimit : public QValidator {
 public:
  LengthLimit(QObject* parent, const qsizetype* lengthBefore) : QValidator(parent), FBefore(lengthBefore) {}
  State validate(QString& input, int&) const override {
    return input.size() > UnitField::MaxTypedLength && input.size() > *FBefore ? Invalid : Acceptable;
  }

 private:
  const qsizetype* FBefore;
};
}  // namespace

UnitField::UnitField(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setValidator(new LengthLimit(this, &FLength));
  connect(this, &QLineEdit::textChanged, this, &UnitField::TextChanged);
}

void UnitField::ShowText(const QString& t) {
  FShowing = true;
  setText(t);
  FShowing = false;
  FLength = text().size();
}

void UnitField::TextChanged() {
  // The filter's own rewrite comes back here; only the user's change is
  // passed on, once, filtered.
  if (FShowing || FFiltering) return;
  FFiltering = true;
  if (FUnit == TEditorUnit::Pixel)
    FilterDigits(*this);
  else
    FilterDecimal(*this);
  FFiltering = false;
  FLength = text().size();
  emit Edited(text());
}

void UnitField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window coming to the front or a menu opening is no leaving.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit Left();
}
