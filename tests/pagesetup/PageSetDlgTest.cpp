#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

#include "LayoutPictureView.h"
#include "NumericField.h"
#include "PageSetDlg.h"
#include "PixelProbe.h"
#include "ScriptedUserInterface.h"
#include "SetNameInDlg.h"
#include "StringTable.h"

namespace {

class PageSetDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile f(Dir.filePath("msetpage.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("The VarnettDx version 2.0g\r\n"
            "\"A4 10\", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n"
            "\"A4 gaps\", 210.0, 297.0, 89.0, 51.0, 2,5,11.0,11.0,10.0,5.0\r\n");
  }
  static DocumentPageSetup A4Document() {
    DocumentPageSetup doc;
    doc.PaperWidth = 210.0f;
    doc.PaperHeight = 297.0f;
    return doc;
  }
  // The dialog of the page setup command, activated but never shown.
  std::unique_ptr<TPageSetDlg> Open(const DocumentPageSetup& doc = A4Document()) {
    auto dlg = std::make_unique<TPageSetDlg>(Dir.path());
    dlg->HandIn(doc);
    dlg->FormActivate();
    return dlg;
  }
  // As the user types over the field's text.
  static void Type(QLineEdit* field, const QString& text) {
    field->selectAll();
    field->insert(text);
  }
  static void Leave(QWidget* field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
  }
  static void Choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  ScopedScriptedUI Ui;
  QTemporaryDir Dir;
};

// Runs fn on the modal page setup dialog once its loop runs.
void OnModalDialog(std::function<void(TPageSetDlg&)> fn) {
  QTimer::singleShot(0, [fn] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dlg = qobject_cast<TPageSetDlg*>(w); dlg && dlg->isVisible()) return fn(*dlg);
    ADD_FAILURE() << "no page setup dialog";
  });
}

}  // namespace

TEST_F(PageSetDlgTest, TypedTextReachesTheRulesButTheDialogsOwnTextDoesNot) {
  auto d = Open();
  EXPECT_EQ(d->WidthMemo->text(), "91.0");
  EXPECT_TRUE(d->TanniMmRB->isChecked());
  EXPECT_TRUE(d->TonboCB->isChecked());

  Type(d->WidthMemo, "9a0");
  EXPECT_EQ(d->WidthMemo->text(), "90");  // filtered as typed
  EXPECT_TRUE(d->Rules().Field(PageField::Width).Modified);
  Leave(d->WidthMemo);
  EXPECT_EQ(d->WidthMemo->text(), "90.0");
  // Showing 90.0 was the dialog's own change: the mark the exit cleared stays clear.
  EXPECT_FALSE(d->Rules().Field(PageField::Width).Modified);
  EXPECT_EQ(d->Rules().Px(plWidth), 450);

  Type(d->RetuMemo, "3");
  Leave(d->RetuMemo);
  EXPECT_EQ(d->RMarginMemo->text(), "-74.0");  // a computed field keeps its sign
  EXPECT_FALSE(d->RMarginMemo->isEnabled());
  EXPECT_EQ(d->LayoutPanel->Picture().Cards.size(), 15u);

  // OK reads a field the focus never left.
  Type(d->HeightMemo, "50");
  d->OKBtn->click();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(d->Result().SheetHeightPx, 250);
  EXPECT_EQ(d->Result().Retu, 3);
  EXPECT_TRUE(Ui.Ui.Calls().empty());
}

TEST_F(PageSetDlgTest, UnitButtonsSwitchTheFieldsAndStayWithTheRulesOnAnError) {
  DocumentPageSetup doc = A4Document();
  doc.PageUnit = puInch;
  doc.OverflowAdjust = -2;
  doc.PrintTonbo = 0;
  auto d = Open(doc);
  EXPECT_TRUE(d->TanniInchRB->isChecked());
  EXPECT_EQ(d->WidthMemo->text(), "3.583");
  EXPECT_EQ(d->TrackBar->value(), -2);
  EXPECT_FALSE(d->TonboCB->isChecked());

  d->TanniMmRB->click();
  EXPECT_EQ(d->WidthMemo->text(), "91.0");
  EXPECT_EQ(d->LMarginMemo->text(), "14.0");

  Type(d->LMarginMemo, ".");
  d->TanniInchRB->click();  // the lone point cannot be read
  EXPECT_TRUE(d->TanniMmRB->isChecked());
  EXPECT_EQ(d->Rules().PageUnit(), puMillimetre);
  EXPECT_EQ(d->WidthMemo->text(), "91.0");
  ASSERT_EQ(Ui.Ui.Calls().size(), 1u);
  EXPECT_EQ(Ui.Ui.Calls()[0].What, ScriptedUserInterface::Call::Error);

  d->TrackBar->setValue(3);
  d->TonboCB->setChecked(true);
  EXPECT_EQ(d->Result().OverflowAdjust, 3);
  EXPECT_EQ(d->Result().PrintTonbo, 1);
}

TEST_F(PageSetDlgTest, NamedSetupsAreShownReadOnlyAndRegisteredAndDeletedByTheButtons) {
  auto d = Open();
  ASSERT_EQ(d->YousiCB->count(), 3);
  EXPECT_EQ(d->YousiCB->itemText(0), LoadStr(1041));
  EXPECT_TRUE(d->NewBtn->isEnabled());
  EXPECT_FALSE(d->DeleteBtn->isEnabled());

  Choose(d->YousiCB, 2);
  EXPECT_EQ(d->WidthMemo->text(), "89.0");
  EXPECT_EQ(d->InsideMarginXMemo->text(), "10.0");
  for (QWidget* w : {static_cast<QWidget*>(d->WidthMemo), static_cast<QWidget*>(d->RetuMemo),
                     static_cast<QWidget*>(d->InsideMarginYMemo), static_cast<QWidget*>(d->PaperSizeCB),
                     static_cast<QWidget*>(d->NewBtn)})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

  Choose(d->YousiCB, 0);
  EXPECT_TRUE(d->WidthMemo->isEnabled());
  EXPECT_EQ(d->WidthMemo->text(), "91.0");  // the free setting's card size

  // The user tries names until one is taken; the name dialog stays open till then.
  const QStringList tries = {"", QString(64, QLatin1Char('x')), "A4 gaps", "  mine  "};
  int attempts = 0;
  d->RunNameDialog = [&](TSetNameInDlg& name) {
    EXPECT_EQ(name.windowTitle(), "設定名入力");
    for (const QString& t : tries) {
      ++attempts;
      name.NameEdit->setText(t);
      name.OKBtn->click();
      if (name.result() == QDialog::Accepted) return true;
    }
    return false;
  };
  d->NewBtn->click();
  EXPECT_EQ(attempts, 4);
  EXPECT_EQ(Ui.Ui.Messages(), (std::vector<QString>{LoadStr(1110), LoadStr(1201), LoadStr(1111)}));
  ASSERT_EQ(d->YousiCB->count(), 4);
  EXPECT_EQ(d->YousiCB->currentIndex(), 3);
  EXPECT_EQ(d->YousiCB->currentText(), "mine");
  EXPECT_TRUE(d->DeleteBtn->isEnabled());
  EXPECT_FALSE(d->WidthMemo->isEnabled());
  EXPECT_TRUE(QFile::exists(Dir.filePath("usetpage.txt")));

  d->RunNameDialog = [](TSetNameInDlg&) -> bool {
    ADD_FAILURE() << "register offered for a named setup";
    return false;
  };
  d->NewBtn->click();  // disabled: nothing happens
  d->DeleteBtn->click();
  EXPECT_EQ(d->YousiCB->count(), 3);
  EXPECT_EQ(d->YousiCB->currentIndex(), 2);
  EXPECT_EQ(d->Result().SetupKind, skMaster);
}

TEST_F(PageSetDlgTest, NewDocumentPreselectsTheFirstSetupAndOkNeedsACardSize) {
  {
    TPageSetDlg d(Dir.path());
    d.StartNewDocument();
    d.FormActivate();
    EXPECT_EQ(d.windowTitle(), LoadStr(1021));
    EXPECT_EQ(d.YousiCB->currentIndex(), 1);
    EXPECT_EQ(d.PaperSizeCB->currentText(), "A4 210 x 297 mm");
  }
  QFile::remove(Dir.filePath("msetpage.txt"));
  TPageSetDlg d(Dir.path());
  d.StartNewDocument();
  d.FormActivate();
  EXPECT_EQ(d.YousiCB->currentIndex(), 0);
  d.OKBtn->click();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(Ui.Ui.Calls().size(), 1u);
  EXPECT_EQ(Ui.Ui.Calls()[0].Text, LoadStr(1040));
  EXPECT_EQ(Ui.Ui.Calls()[0].Title, LoadStr(1010));

  Type(d.WidthMemo, "91");
  Type(d.HeightMemo, "55");
  d.OKBtn->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Result().SheetWidthPx, 455);
  EXPECT_EQ(d.Result().PageUnit, puMillimetre);
}

TEST_F(PageSetDlgTest, ThePaperIsDrawnToScaleRightOfTheGroups) {
  auto d = Open();
  Choose(d->PaperSizeCB, 1);
  EXPECT_FLOAT_EQ(d->Result().PaperWidth, 215.9f);
  EXPECT_EQ(d->LayoutPanel->size(), QSize(215, 279));
  const QRect group = d->LayoutGroup->geometry();
  EXPECT_EQ(d->LayoutPanel->pos(), PageSetupRules::LayoutPanelPos(group.x() + group.width(), TPageSetDlg::ClientWidth,
                                                                   TPageSetDlg::ClientHeight, 215, d->CancelBtn->y()));
  EXPECT_GE(d->LayoutPanel->x(), group.x() + group.width());

  const QImage pic = d->LayoutPanel->grab().toImage();
  ASSERT_EQ(pic.size(), QSize(215, 279));
  // The first card: 91 x 55 at 14, 11, outline inside its own pixels.
  EXPECT_TRUE(PixelProbe::Is(pic, 14, 11, Qt::black));
  EXPECT_TRUE(PixelProbe::Is(pic, 104, 65, Qt::black));
  EXPECT_TRUE(PixelProbe::Is(pic, 60, 40, Qt::white));
  EXPECT_TRUE(PixelProbe::Is(pic, 13, 40, Qt::white));
  // The second column starts right after the first: their outlines touch.
  EXPECT_TRUE(PixelProbe::Is(pic, 105, 40, Qt::black));
}

TEST_F(PageSetDlgTest, TheModalRunKeepsThePositionAndGivesValuesOnlyOnOk) {
  int top = 100, left = 120;
  OnModalDialog([](TPageSetDlg& d) {
    d.FormActivate();
    d.move(300, 150);
    Choose(d.YousiCB, 2);
    d.CancelBtn->click();
  });
  EXPECT_FALSE(RunPageSetupDialog(PageSetupDialogMode::Document, A4Document(), Dir.path(), top, left));
  EXPECT_EQ(top, 150);
  EXPECT_EQ(left, 300);

  OnModalDialog([](TPageSetDlg& d) {
    d.FormActivate();
    EXPECT_EQ(d.pos(), QPoint(300, 150));
    EXPECT_EQ(d.windowTitle(), LoadStr(1021));
    d.OKBtn->click();
  });
  const auto values = RunPageSetupDialog(PageSetupDialogMode::NewDocument, {}, Dir.path(), top, left);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->SetupName.Text(), "A4 10");
  EXPECT_EQ(values->SetupKind, skMaster);
  EXPECT_EQ(values->SheetHeightPx, 275);
}

TEST_F(PageSetDlgTest, EveryFieldShowsTheWholeValueTheDialogComputesOrTakes) {
  // Values longer than what may be typed into their fields.
  struct Case {
    TPageUnit Unit;
    PageField Typed;
    const char* Text;
    PageField Shown;
  };
  const Case cases[] = {
      {puMillimetre, PageField::Retu, "4", PageField::RMargin},
      {puInch, PageField::Retu, "4", PageField::RMargin},
      {puMillimetre, PageField::Dann, "9", PageField::BottomMargin},
      {puInch, PageField::Dann, "9", PageField::BottomMargin},
      {puMillimetre, PageField::LMargin, "10000", PageField::LMargin},
      {puInch, PageField::InsideMarginX, "393.7", PageField::InsideMarginX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    DocumentPageSetup doc = A4Document();
    doc.PageUnit = c.Unit;
    auto d = Open(doc);
    Type(d->Memo(c.Typed), QString::fromLatin1(c.Text));
    Leave(d->Memo(c.Typed));
    const QString whole = d->Rules().Field(c.Shown).Text;
    EXPECT_GT(whole.size(), 5);
    EXPECT_EQ(d->Memo(c.Shown)->text(), whole);
    EXPECT_TRUE(Ui.Ui.Calls().empty());
  }
}

TEST_F(PageSetDlgTest, APaperNameTypedIntoThePaperBoxStaysUntilAnEntryIsChosen) {
  auto d = Open();
  ASSERT_EQ(d->PaperSizeCB->currentIndex(), PageSetupRules::psA4);
  const QString typed = QStringLiteral("B5 182 x 257 mm");
  d->PaperSizeCB->lineEdit()->selectAll();
  d->PaperSizeCB->lineEdit()->insert(typed);
  EXPECT_EQ(d->PaperSizeCB->currentText(), typed);
  // Leaving a field, switching the unit: refreshes that choose no paper.
  Type(d->LMarginMemo, "12");
  Leave(d->LMarginMemo);
  d->TanniInchRB->click();
  EXPECT_EQ(d->PaperSizeCB->currentText(), typed);
  // A setup brings its paper with it.
  Choose(d->YousiCB, 1);
  EXPECT_EQ(d->PaperSizeCB->currentText(), d->PaperSizeCB->itemText(PageSetupRules::psA4));
}
