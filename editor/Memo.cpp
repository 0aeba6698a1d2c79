#include "Memo.h"

#include <QEvent>
#include <QMimeData>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cmath>

#include "Color.h"

class TMemo::KeyWatcher : public QObject {
 public:
  explicit KeyWatcher(TMemo* memo) : FMemo(memo) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease && FMemo->OnKeyUp) FMemo->OnKeyUp(FMemo);
    return QObject::eventFilter(watched, event);
  }

 private:
  TMemo* FMemo;
};

namespace {
// Copied or dragged text goes out as plain text alone: the editor's font and
// colour are its own, not the text's, and must not follow it into a word
// processor.
class PlainTextOnlyEdit : public QPlainTextEdit {
 protected:
  QMimeData* createMimeDataFromSelection() const override {
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
  }
};
}  // namespace

TMemo::TMemo(TComponent* owner)
    : TWinControl(owner), FEdit(std::make_unique<PlainTextOnlyEdit>()), FWatcher(std::make_unique<KeyWatcher>(this)) {
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
  // The memo is sized to its text by its owner; it never scrolls, and its
  // text starts right at its border.
  FEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FEdit->setFrameStyle(QFrame::Box | QFrame::Plain);
  FEdit->setLineWidth(1);
  FEdit->document()->setDocumentMargin(1);
  FEdit->setTabChangesFocus(false);
  FEdit->installEventFilter(FWatcher.get());
  FontChanged();
}

TMemo::~TMemo() {
  FEdit->removeEventFilter(FWatcher.get());
  OnKeyUp = nullptr;
}

const TClassInfo& TMemo::StaticClassInfo() {
  static const TClassInfo info("TMemo", &TWinControl::StaticClassInfo());
  return info;
}

QWidget* TMemo::NativeWidget() const { return FEdit.get(); }

namespace {
QString ToMemoLines(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}
QString FromMemoLines(QString t) { return t.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }
}  // namespace

QString TMemo::Text() const { return FromMemoLines(FEdit->toPlainText()); }

void TMemo::SetText(const QString& text) {
  FEdit->setPlainText(ToMemoLines(text));
  FEdit->moveCursor(QTextCursor::End);
}

QString TMemo::Unedited(const QString& text) {
  // Through a document of the memo's kind, which has its own ideas of a line.
  QTextDocument document;
  document.setPlainText(ToMemoLines(text));
  return FromMemoLines(document.toPlainText());
}

void TMemo::SetWordWrap(bool v) {
  FWordWrap = v;
  FEdit->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetFocus() { FEdit->setFocus(Qt::OtherFocusReason); }

void TMemo::ForgetUndo() { FEdit->document()->clearUndoRedoStacks(); }

void TMemo::SetNativeScale(double scale) {
  if (scale == FNativeScale) return;
  FNativeScale = scale;
  FontChanged();
}

void TMemo::FontChanged() {
  TWinControl::FontChanged();
  if (!FEdit) return;
  QFont font = Font()->ToQFont();
  if (FNativeScale != 1.0) font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * FNativeScale))));
  FEdit->setFont(font);
  QPalette pal = FEdit->palette();
  pal.setColor(QPalette::Text, Colors::ToQColor(Font()->Color()));
  pal.setColor(QPalette::Base, Colors::ToQColor(Color()));
  FEdit->setPalette(pal);
}
