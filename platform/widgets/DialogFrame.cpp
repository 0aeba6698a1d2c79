#include "DialogFrame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>

namespace {
// The bar's icon, close button and margins, and what a bold title font may
// add to the text's width.
constexpr int kBarButtonsWidth = 110;
constexpr int kTitleFontAllowancePercent = 120;
}  // namespace

void SetDialogFrame(QWidget* dialog) {
  const Qt::WindowFlags keep = dialog->windowFlags() & Qt::MSWindowsFixedSizeDialogHint;
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | keep);
}

int TitleFitWidth(const QString& title) {
  const QFontMetrics metrics(QApplication::font());
  return metrics.horizontalAdvance(title) * kTitleFontAllowancePercent / 100 + kBarButtonsWidth;
}

void SetDialogFrameAndFitTitle(QWidget* dialog) {
  SetDialogFrame(dialog);
  const int width = TitleFitWidth(dialog->windowTitle());
  // A message box sets its own size from its text and buttons; a spacer
  // across its layout is what it heeds.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()); grid && qobject_cast<QMessageBox*>(dialog)) {
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
    return;
  }
  dialog->setMinimumWidth(std::max(dialog->minimumWidth(), width));
}
