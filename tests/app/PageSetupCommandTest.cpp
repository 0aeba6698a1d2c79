#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "Gridshape.h"
#include "Image.h"
#include "PageSetDlg.h"
#include "PageSetupCommand.h"
#include "ScriptedUserInterface.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

QSize SizeOf(const TControl* c) { return QSize(c->Width(), c->Height()); }

DocumentPageSetup A4Document() {
  DocumentPageSetup doc;
  doc.PaperWidth = 210.0f;
  doc.PaperHeight = 297.0f;
  return doc;
}

}  // namespace

TEST(PageSetupCommandTest, ANewCardSizeResizesTheWorksheetAndOnlyChangedGroupsModify) {
  ScopedScriptedUI ui;
  TWorksheet sheet;
  sheet.BuildWorksheet(455, 275);
  DocumentPageSetup doc = A4Document();

  DocumentPageSetup values = doc;
  EXPECT_FALSE(ApplyPageSetup(doc, sheet, values));

  values.PrintTonbo = 0;
  EXPECT_TRUE(ApplyPageSetup(doc, sheet, values));
  EXPECT_EQ(SizeOf(sheet.DrawPanel), QSize(455, 275));  // no new card size: no resize

  values.SheetWidth = 89.0f;
  values.SheetHeight = 51.0f;
  values.SheetWidthPx = 445;
  values.SheetHeightPx = 255;
  EXPECT_TRUE(ApplyPageSetup(doc, sheet, values));
  EXPECT_EQ(SizeOf(sheet.DrawPanel), QSize(445, 255));
  EXPECT_EQ(QPoint(sheet.DrawPanel->Left(), sheet.DrawPanel->Top()), QPoint(10, 10));
  EXPECT_EQ(SizeOf(sheet.BGImage), QSize(445, 255));
  EXPECT_EQ(SizeOf(sheet.GridShape), QSize(445, 255));
  EXPECT_EQ(doc.SheetHeightPx, 255);
  EXPECT_FALSE(ApplyPageSetup(doc, sheet, values));

  TWorksheet none;  // no document open: the values are still taken
  values.SheetWidthPx = 300;
  EXPECT_TRUE(ApplyPageSetup(doc, none, values));
  EXPECT_EQ(doc.SheetWidthPx, 300);
}

TEST(PageSetupCommandTest, TheCommandRunsTheDialogOnTheDocumentAndKeepsItsPosition) {
  ScopedScriptedUI ui;
  QTemporaryDir dir;
  QFile master(dir.filePath("msetpage.txt"));
  ASSERT_TRUE(master.open(QIODevice::WriteOnly));
  master.write("\"A4 gaps\", 210.0, 297.0, 89.0, 51.0, 2,5,11.0,11.0,10.0,5.0\r\n");
  master.close();

  TWorksheet sheet;
  sheet.BuildWorksheet(455, 275);
  DocumentPageSetup doc = A4Document();
  int top = 100, left = 120;
  auto onDialog = [](std::function<void(TPageSetDlg&)> fn) {
    QTimer::singleShot(0, [fn] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<TPageSetDlg*>(w); d && d->isVisible()) return fn(*d);
      ADD_FAILURE() << "no page setup dialog";
    });
  };

  onDialog([](TPageSetDlg& d) {
    d.FormActivate();
    EXPECT_EQ(d.pos(), QPoint(120, 100));
    d.YousiCB->setCurrentIndex(1);
    d.YousiCBClick();
    d.move(200, 90);
    d.CancelBtn->click();
  });
  EXPECT_FALSE(PageSetupCommand(doc, sheet, top, left, dir.path() + "/"));
  EXPECT_EQ(doc.SheetWidthPx, 455);
  EXPECT_EQ(QPoint(left, top), QPoint(200, 90));

  onDialog([](TPageSetDlg& d) {
    d.FormActivate();
    d.YousiCB->setCurrentIndex(1);
    d.YousiCBClick();
    d.OKBtn->click();
  });
  EXPECT_TRUE(PageSetupCommand(doc, sheet, top, left, dir.path() + "/"));
  EXPECT_EQ(SizeOf(sheet.DrawPanel), QSize(445, 255));
  EXPECT_EQ(doc.SetupName.Text(), "A4 gaps");
  EXPECT_EQ(doc.SetupKind, skMaster);
  EXPECT_TRUE(ui.Ui.Calls().empty());
}
