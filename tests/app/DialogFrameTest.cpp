// Every dialog and message box: a title bar with only the close button, and
// room for its whole title.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "AboutDialog.h"
#include "DialogFrame.h"
#include "PageSetDlg.h"
#include "SetNameInDlg.h"
#include "StringTable.h"
#include "UserInterface.h"
#include "WizardDlg.h"

namespace {

void ExpectOnlyACloseButton(const QWidget& dialog) {
  const Qt::WindowFlags flags = dialog.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);  // the platform adds no buttons of its own
}

}  // namespace

TEST(DialogFrame, TheProgramsDialogsHaveOnlyACloseButton) {
  QTemporaryDir folder;
  const SetupTable table;
  const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> dialogs[] = {
      {"page setup", [&] { return std::make_unique<TPageSetDlg>(folder.path()); }},
      {"setup name", [&] { return std::make_unique<TSetNameInDlg>(table); }},
      {"wizard", [&] { return std::make_unique<TWizardDlg>(nullptr, folder.path()); }},
      {"about", [] { return std::make_unique<TAboutDXDlg>(); }},
  };
  for (const auto& [name, make] : dialogs) {
    SCOPED_TRACE(name);
    const auto dialog = make();
    ExpectOnlyACloseButton(*dialog);
    EXPECT_GE(dialog->width(), TitleFitWidth(dialog->windowTitle()));
  }
}

TEST(DialogFrame, AMessageBoxIsWideEnoughForItsTitle) {
  // Message 1110 is short; its box must still show "Tessolo Message" whole.
  QtUserInterface ui;
  for (const bool error : {false, true}) {
    SCOPED_TRACE(error);
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen = true;
      ExpectOnlyACloseButton(*box);
      EXPECT_GE(box->width(), TitleFitWidth(box->windowTitle()));
      box->button(QMessageBox::Ok)->click();
    });
    if (error)
      ui.ShowError(LoadStr(1110));
    else
      EXPECT_EQ(ui.MessageBox(LoadStr(1110), LoadStr(1010), mbOK), mrOk);
    EXPECT_TRUE(seen);
  }
}
