// The wizard window: its controls show the state, clicks reach the rules,
// the preview appears in the scroll box, and the result is what was chosen.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "DocumentTestSupport.h"
#include "PanelView.h"
#include "ScriptedUserInterface.h"
#include "WizardDlg.h"

namespace {

using namespace doctest;

// A program folder with the given templates (name, bytes) in "Template".
struct ProgramFolder {
  QTemporaryDir Dir;
  ProgramFolder(std::initializer_list<std::pair<const char*, QByteArray>> files) {
    QDir().mkpath(Dir.filePath(QStringLiteral("Template")));
    for (const auto& [name, bytes] : files) {
      QFile f(Dir.filePath(QStringLiteral("Template/") + QString::fromUtf8(name)));
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(bytes);
    }
  }
  QString Path() const { return Dir.path() + QLatin1Char('/'); }
};

QByteArray SmallCard() {
  Document doc;
  doc.AddShape(qustRectangle, 20, 20, 100, 50)->Pen()->SetWidth(3);
  return doc.Bytes();
}

int RowOf(const TWizardDlg& dlg, const QString& name) {
  const auto items = dlg.TemplateListBox->findItems(name, Qt::MatchExactly);
  return items.isEmpty() ? -1 : dlg.TemplateListBox->row(items.front());
}

TEST(WizardDlg, ShowsTheStateOfEachPageAndClosesWithTheChosenTemplate) {
  ProgramFolder folder({{"名刺A.tpl", SmallCard()}, {"名刺B.TPL", SmallCard()}});
  TWizardDlg dlg(nullptr, folder.Path());
  dlg.SetStartMode(1);
  dlg.FormActivate();
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Tessoloへようこそ"));
  EXPECT_EQ(dlg.size(), QSize(427, 300));
  EXPECT_FALSE(dlg.HelpBtn->isVisibleTo(&dlg));
  EXPECT_EQ(dlg.PageControl1->currentWidget(), dlg.TabSheet1);
  EXPECT_TRUE(dlg.NewRBtn->isChecked());
  EXPECT_EQ(dlg.OKBtn->text(), QStringLiteral("次へ"));
  EXPECT_FALSE(dlg.BackBtn->isEnabled());
  EXPECT_EQ(dlg.TemplateListBox->count(), 2);

  dlg.OpenRBtn->click();
  EXPECT_EQ(dlg.OKBtn->text(), QStringLiteral("ＯＫ"));
  dlg.NewRBtn->click();
  dlg.OKBtn->click();
  EXPECT_EQ(dlg.PageControl1->currentWidget(), dlg.TabSheet2);
  EXPECT_TRUE(dlg.BackBtn->isEnabled());
  EXPECT_TRUE(dlg.TemplateRBtn->isChecked());
  dlg.OKBtn->click();
  EXPECT_EQ(dlg.PageControl1->currentWidget(), dlg.TabSheet3);
  EXPECT_FALSE(dlg.OKBtn->isEnabled());
  EXPECT_EQ(dlg.PreviewView, nullptr);

  const int row = RowOf(dlg, QStringLiteral("名刺B"));
  ASSERT_GE(row, 0);
  dlg.TemplateListBox->item(row)->setSelected(true);
  EXPECT_TRUE(dlg.OKBtn->isEnabled());
  EXPECT_EQ(dlg.TemplatePath, folder.Path() + QStringLiteral("Template/名刺B.TPL"));
  ASSERT_NE(dlg.PreviewView, nullptr);
  ASSERT_NE(dlg.PreviewPanel(), nullptr);
  EXPECT_EQ(dlg.PreviewView->geometry(), QRect(10, 11, 228, 138));
  EXPECT_EQ(dlg.PreviewView->parentWidget(), dlg.ScrollBox1->widget());
  EXPECT_TRUE(dlg.PreviewView->testAttribute(Qt::WA_TransparentForMouseEvents));

  dlg.OKBtn->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.WizardChoice(), wcFromTemplate);
}

TEST(WizardDlg, DoubleClickOnTheListChoosesTheSelectedTemplate) {
  ProgramFolder folder({{"one.tpl", SmallCard()}});
  TWizardDlg dlg(nullptr, folder.Path());
  dlg.SetStartMode(2);
  dlg.FormActivate();
  EXPECT_EQ(dlg.PageControl1->currentWidget(), dlg.TabSheet2);
  EXPECT_FALSE(dlg.BackBtn->isEnabled());
  dlg.OKBtn->click();

  auto doubleClick = [&dlg] {
    const QPointF at(5, 5);
    QMouseEvent e(QEvent::MouseButtonDblClick, at, dlg.TemplateListBox->viewport()->mapToGlobal(at), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dlg.TemplateListBox->viewport(), &e);
  };
  dlg.TemplateListBox->clearSelection();
  doubleClick();
  EXPECT_EQ(dlg.WizardChoice(), wcNone);
  dlg.TemplateListBox->item(0)->setSelected(true);
  doubleClick();
  EXPECT_EQ(dlg.WizardChoice(), wcFromTemplate);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.TemplatePath, folder.Path() + QStringLiteral("Template/one.tpl"));
}

TEST(WizardDlg, ADamagedTemplateIsReportedAndAnUnknownRecordShowsNothing) {
  QByteArray unknown = SmallCard();
  unknown.append(Hex("06 00 00 00"));
  ProgramFolder folder({{"cut.tpl", SmallCard().first(40)}, {"odd.tpl", unknown}, {"good.tpl", SmallCard()}});
  ScopedScriptedUI ui;
  TWizardDlg dlg(nullptr, folder.Path());
  dlg.SetStartMode(2);
  dlg.FormActivate();
  dlg.OKBtn->click();

  dlg.TemplateListBox->item(RowOf(dlg, QStringLiteral("good")))->setSelected(true);
  ASSERT_NE(dlg.PreviewView, nullptr);
  dlg.TemplateListBox->item(RowOf(dlg, QStringLiteral("odd")))->setSelected(true);
  EXPECT_EQ(dlg.PreviewView, nullptr);
  EXPECT_EQ(dlg.PreviewPanel(), nullptr);
  EXPECT_TRUE(ui.Ui.Calls().empty());
  dlg.TemplateListBox->item(RowOf(dlg, QStringLiteral("cut")))->setSelected(true);
  EXPECT_EQ(dlg.PreviewView, nullptr);
  ASSERT_EQ(ui.Ui.Calls().size(), 1u);
  EXPECT_EQ(ui.Ui.Calls()[0].What, ScriptedUserInterface::Call::Error);
  // The user may still choose it; loading it will say it is invalid.
  EXPECT_TRUE(dlg.OKBtn->isEnabled());
  EXPECT_EQ(dlg.PageControl1->currentWidget(), dlg.TabSheet3);
}

TEST(WizardDlg, RunWizardReturnsTheChoiceOrNothingWhenCancelled) {
  ProgramFolder folder({});
  QTimer::singleShot(0, [] {
    auto* dlg = qobject_cast<TWizardDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    dlg->NotTemplateRBtn->click();
    dlg->OKBtn->click();
  });
  const TWizardResult chosen = RunWizard(2, folder.Path());
  EXPECT_EQ(chosen.Choice, wcNewDocument);
  EXPECT_TRUE(chosen.TemplatePath.isEmpty());

  QTimer::singleShot(0, [] {
    auto* dlg = qobject_cast<TWizardDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    dlg->OpenRBtn->click();
    dlg->CancelBtn->click();
  });
  EXPECT_EQ(RunWizard(1, folder.Path()).Choice, wcNone);
}

}  // namespace
