// The main window headless: its state after construction, the quoted layout,
// settings at start and exit, the first activation, opening from the command
// line, the worksheet reset and command enabling.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtEndian>
#include <gtest/gtest.h>

#include <memory>

#include "AboutDialog.h"
#include "Clipboard.h"
#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "CommonText.h"
#include "Gridshape.h"
#include "HelpWindow.h"
#include "Image.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {

// Stands in for the document reader: records the path and builds an empty
// worksheet, or fails as a damaged file does.
class RecordingForm3 : public TForm3 {
 public:
  using TForm3::TForm3;
  QStringList Loaded;
  bool LoadSucceeds = true;

  // Stands in for the start wizard: records its mode and starts an empty
  // card of the document's size, as choosing "no template" does.
  QList<int> WizardRuns;
  void RunStartWizard(int startMode) override {
    WizardRuns << startMode;
    ResetWorksheet();
    if (BGImage) BGImage->SetVisible(false);
    DocumentFileName = DefaultFileName;
    SetDocumentCaption();
    DocumentOpen = true;
    UpdateCommands();
    Modified = false;
  }

  TOutcome ReadDocument(const QString& path) override {
    Loaded << path;
    ResetWorksheet();
    if (!LoadSucceeds) return TOutcome::Failed(LoadStr(CommonText::InvalidFile));
    Modified = false;
    return {};
  }
};

std::int32_t Int32At(const QByteArray& b, int offset) { return qFromLittleEndian<std::int32_t>(b.constData() + offset); }

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QList<QAction*> ItemsOf(QMenu* menu) {
  QList<QAction*> items;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) items << a;
  return items;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    QGuiApplication::clipboard()->clear();
  }
  std::unique_ptr<RecordingForm3> MakeForm() {
    auto form = std::make_unique<RecordingForm3>(nullptr, Folder.path());
    form->CommandLineArguments.clear();
    return form;
  }
  QString SettingsFile() const { return Folder.filePath(QStringLiteral("quorin.con")); }

  QTemporaryDir Folder;
  ScopedScriptedUI Scripted;
};

}  // namespace

TEST_F(MainWindowTest, ConstructionStateWithoutDocument) {
  auto form = MakeForm();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Tessolo"));
  EXPECT_EQ(form->Folders(), ProgramFolders(Folder.path()));
  EXPECT_EQ(form->SettingsPath, SettingsFile());
  EXPECT_EQ(form->HelpFile, Folder.path() + QStringLiteral("/tessolo.hlp"));
  EXPECT_EQ(form->DefaultFileName, QStringLiteral("newfile.tsl"));
  EXPECT_EQ(form->VersionString, QByteArray("2.0g\0\0\0\0", 8));
  EXPECT_EQ(form->SaveDialog1.Title, LoadStr(1020));
  EXPECT_TRUE(form->FirstActivation);
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_FALSE(form->Modified);
  EXPECT_EQ(form->DrawPanel, nullptr);
  EXPECT_EQ(form->geometry(), QRect(256, 207, 579, 400));  // no settings file

  const DocumentPageSetup& setup = form->DocumentSetup;
  EXPECT_FLOAT_EQ(setup.SheetWidth, 91.0f);
  EXPECT_FLOAT_EQ(setup.SheetHeight, 55.0f);
  EXPECT_EQ(setup.SheetWidthPx, 455);
  EXPECT_EQ(setup.SheetHeightPx, 275);
  EXPECT_EQ(setup.Retu, 2);
  EXPECT_EQ(setup.Dann, 5);
  EXPECT_FLOAT_EQ(setup.LeftMargin, 14.0f);
  EXPECT_FLOAT_EQ(setup.TopMargin, 11.0f);
  EXPECT_EQ(setup.PrintTonbo, 1);

  for (TSpeedButton* b : {form->FileSaveButton, form->PrintSetupButton, form->PrintPreviewButton, form->PrintButton,
                          form->BGImageButton, form->GridButton, form->CutButton, form->CopyButton, form->PasteButton})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  for (QAction* a : {form->EditCut, form->EditCopy, form->EditPaste}) EXPECT_FALSE(a->isEnabled());
  EXPECT_TRUE(form->PointButton->Down());
  EXPECT_TRUE(form->Width1->Down());
  EXPECT_TRUE(form->psSolidButton->Down());
  EXPECT_FALSE(form->TextButton->Down());
  EXPECT_EQ(form->FontNameComboBox->currentText(), QStringLiteral("ＭＳ Ｐ明朝"));
  EXPECT_EQ(form->FontSizeComboBox->currentText(), QStringLiteral("12"));
  EXPECT_EQ(form->GapComboBox->currentText(), QStringLiteral("0"));
  EXPECT_EQ(form->ForColor->Color(), clBlack);
  EXPECT_EQ(form->ForColor->FontColor(), clWhite);
  EXPECT_EQ(form->ForColor->Caption(), QStringLiteral("F"));
  EXPECT_EQ(form->BackColor->Color(), TColor(0xC0C0C0));
  EXPECT_EQ(form->BackColor->FontColor(), TColor(0x3F3F3F));
  ASSERT_NE(form->ColorButtons[9], nullptr);
  EXPECT_EQ(form->ColorButtons[9]->geometry().topLeft(), QPoint(125, 20));
  EXPECT_EQ(form->ColorButtons[9]->Color(), clGreen);
  EXPECT_TRUE(form->CFButton->isVisibleTo(form->ToolBox));
}

TEST_F(MainWindowTest, LayoutKeepsTheQuotedPositionsSizesAndTexts) {
  auto form = MakeForm();
  form->resize(640, 480);
  form->show();
  QApplication::processEvents();
  const int clientWidth = form->centralWidget()->width();
  const int clientHeight = form->centralWidget()->height();
  // Docked panels.
  EXPECT_EQ(form->FontPanel->geometry(), QRect(0, 0, clientWidth, 57));
  EXPECT_EQ(form->StatusBar1->geometry(), QRect(0, clientHeight - 19, clientWidth, 19));
  EXPECT_EQ(form->ColorPanel->geometry(), QRect(0, clientHeight - 19 - 41, clientWidth, 41));
  EXPECT_EQ(form->ToolBox->geometry(), QRect(0, 57, 65, clientHeight - 57 - 60));
  EXPECT_EQ(form->ScrollBox0->geometry(), QRect(65, 57, clientWidth - 65, clientHeight - 57 - 60));

  // Tool box.
  EXPECT_EQ(form->TextButton->geometry(), QRect(8, 8, 25, 25));
  EXPECT_EQ(form->PointButton->geometry(), QRect(32, 8, 25, 25));
  EXPECT_EQ(form->EllipseButton->geometry(), QRect(32, 56, 25, 25));
  EXPECT_EQ(form->imageButton->geometry(), QRect(32, 80, 25, 25));
  EXPECT_EQ(form->CFButton->geometry(), QRect(8, 104, 49, 17));
  EXPECT_EQ(form->CFButton->text(), QStringLiteral("Cﾌﾚｰｽﾞ"));
  EXPECT_EQ(form->psDotButton->geometry(), QRect(3, 146, 59, 11));
  EXPECT_EQ(form->Width6->geometry(), QRect(3, 218, 59, 11));
  EXPECT_EQ(form->Width6->toolTip(), QStringLiteral("6Point"));
  EXPECT_EQ(form->imageButton->toolTip(), QStringLiteral("画像の読み込み"));

  // Font bar.
  EXPECT_EQ(form->FontNameComboBox->geometry().topLeft(), QPoint(8, 6));
  EXPECT_EQ(form->FontNameComboBox->width(), 145);
  EXPECT_EQ(form->FontSizeComboBox->geometry().topLeft(), QPoint(160, 6));
  EXPECT_EQ(form->GapComboBox->geometry().topLeft(), QPoint(344, 6));
  ASSERT_EQ(form->FontSizeComboBox->count(), 28);
  EXPECT_EQ(form->FontSizeComboBox->itemText(8), QStringLiteral("14"));
  EXPECT_EQ(form->FontSizeComboBox->itemText(27), QStringLiteral("96"));
  ASSERT_EQ(form->GapComboBox->count(), 26);
  EXPECT_EQ(form->GapComboBox->itemText(20), QStringLiteral("20"));
  EXPECT_EQ(form->GapComboBox->itemText(21), QStringLiteral("22"));
  EXPECT_EQ(form->UnderlineButton->geometry().topLeft(), QPoint(274, 5));
  EXPECT_EQ(form->PasteButton->geometry(), QRect(264, 32, 32, 25));
  EXPECT_EQ(form->PasteButton->toolTip(), QStringLiteral("張り付け"));
  EXPECT_EQ(form->GridButton->geometry().topLeft(), QPoint(328, 32));
  // The buttons placed here must not overlap the quoted ones.
  for (TSpeedButton* b : {form->FileNewButton, form->FileOpenButton, form->FileSaveButton, form->PrintPreviewButton,
                          form->PrintButton, form->PrintSetupButton, form->HelpButton})
    for (QWidget* other : {static_cast<QWidget*>(form->CutButton), static_cast<QWidget*>(form->GridButton),
                           static_cast<QWidget*>(form->FontSizeComboBox), static_cast<QWidget*>(form->GapComboBox)})
      EXPECT_FALSE(b->geometry().intersects(other->geometry())) << b->objectName().toStdString();

  // Colour bar.
  EXPECT_EQ(form->ForColor->geometry(), QRect(8, 8, 25, 25));
  EXPECT_EQ(form->BackColor->geometry(), QRect(32, 8, 25, 25));

  // Menus in order, with their shortcuts.
  const QList<QAction*> menus = form->menuBar()->actions();
  ASSERT_EQ(menus.size(), 5);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("編集(&E)"));
  EXPECT_EQ(menus[2]->text(), QStringLiteral("表示(&V)"));  // the zoom, our own
  EXPECT_EQ(menus[3]->text(), QStringLiteral("その他"));
  EXPECT_EQ(menus[4]->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  const QList<QAction*> file = ItemsOf(form->FileMenu);
  ASSERT_EQ(file.size(), 11);
  EXPECT_EQ(file[3]->text(), QStringLiteral("名前をつけて保存(&A)..."));
  EXPECT_EQ(file[6], form->FilePrint);
  EXPECT_EQ(file[7]->text(), QStringLiteral("差し込み印刷..."));
  EXPECT_EQ(file[8]->text(), QStringLiteral("ﾍﾟｰｼﾞ設定(&R)..."));
  EXPECT_EQ(file[9]->text(), QStringLiteral("プリンタ位置の補正..."));
  EXPECT_EQ(file[10], form->FileExit);
  EXPECT_EQ(form->FileMenu->actions().size(), 14);  // three separators
  EXPECT_EQ(form->FilePrint->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  EXPECT_EQ(form->EditCopy->text(), QStringLiteral("ｺﾋﾟｰ(&C)"));
  EXPECT_EQ(form->EditPaste->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
  EXPECT_EQ(form->BGGrid->text(), QStringLiteral("グリッドの設定...."));
  EXPECT_EQ(ItemsOf(form->HelpMenu).size(), 2);

  // The popup: every item hidden at rest, "順序" with its two sub-items.
  // The two QR code items follow the quoted ten.
  const QList<QAction*> popup = form->PopupMenu->actions();
  ASSERT_EQ(popup.size(), 12);
  EXPECT_EQ(popup[10], form->QrCodeEdit);
  EXPECT_EQ(popup[11], form->QrCodeInsert);
  for (QAction* a : popup) EXPECT_FALSE(a->isVisible()) << a->text().toStdString();
  EXPECT_EQ(popup[6]->text(), QStringLiteral("順序"));
  EXPECT_EQ(ItemsOf(form->OrderMenu).size(), 2);
  EXPECT_EQ(form->Back->text(), QStringLiteral("最後面に移動"));
}

TEST_F(MainWindowTest, SettingsAreReadAtStartAndWrittenAtClose) {
  {
    // First run: the window keeps its start-up bounds and writes them.
    auto form = MakeForm();
    form->show();
    EXPECT_TRUE(form->close());
    const QByteArray b = ReadAll(SettingsFile());
    ASSERT_EQ(b.size(), 72);
    const QRect g = form->geometry();
    EXPECT_EQ(Int32At(b, 12), g.top());
    EXPECT_EQ(Int32At(b, 16), g.left());
    EXPECT_EQ(Int32At(b, 20), g.height());
    EXPECT_EQ(Int32At(b, 24), g.width());
  }
  {
    // The older 60-byte form: geometry taken over, maximized flags 0.
    QByteArray b(60, '\0');
    const std::int32_t values[] = {90, 120, 350, 500, 1, 2, 3, 4, 33, 44};
    for (int i = 0; i < 10; ++i) qToLittleEndian(values[i], b.data() + 12 + 4 * i);
    WriteAll(SettingsFile(), b);
    auto form = MakeForm();
    EXPECT_EQ(form->geometry(), QRect(120, 90, 500, 350));
    EXPECT_EQ(form->WindowSettings.MainMaximized, 0);
    EXPECT_EQ(form->WindowSettings.SetupDlgLeft, 44);
  }
  {
    // A damaged length: the default bounds are applied.
    WriteAll(SettingsFile(), QByteArray(65, '\x01'));
    auto form = MakeForm();
    EXPECT_EQ(form->geometry(), QRect(204, 104, 576, 440));
  }
  {
    // Cannot be written: the user is told, and the window closes anyway.
    auto form = MakeForm();
    form->SettingsPath = Folder.filePath(QStringLiteral("no/such/folder/quorin.con"));
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(Scripted.Ui.Messages().size(), 1u);
    EXPECT_TRUE(Scripted.Ui.Messages()[0].contains(QStringLiteral("quorin.con")));
    EXPECT_EQ(Scripted.Ui.Calls()[0].Title, LoadStr(1010));
  }
}

TEST_F(MainWindowTest, MaximizeKeepsTheRestoredBounds) {
  auto form = MakeForm();
  form->setGeometry(100, 80, 600, 420);
  form->show();
  QApplication::processEvents();
  form->setWindowState(Qt::WindowMaximized);
  EXPECT_EQ(form->WindowSettings.MainMaximized, 1);
  EXPECT_EQ(form->WindowSettings.MainLeft, 100);
  EXPECT_EQ(form->WindowSettings.MainTop, 80);
  EXPECT_EQ(form->WindowSettings.MainWidth, 600);
  EXPECT_EQ(form->WindowSettings.MainHeight, 420);
  // Minimizing changes nothing; the written file keeps the restored bounds.
  form->setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
  EXPECT_EQ(form->WindowSettings.MainMaximized, 1);
  ASSERT_TRUE(form->WriteSettings().Ok());
  const QByteArray b = ReadAll(SettingsFile());
  EXPECT_EQ(Int32At(b, 24), 600);
  EXPECT_EQ(b[28], 1);
  // Restoring clears the flag.
  form->setWindowState(Qt::WindowNoState);
  EXPECT_EQ(form->WindowSettings.MainMaximized, 0);
}

TEST_F(MainWindowTest, FirstActivationRunsTheWizardOnce) {
  auto form = MakeForm();
  form->FormActivate();
  EXPECT_FALSE(form->FirstActivation);
  EXPECT_TRUE(form->Loaded.isEmpty());
  EXPECT_EQ(form->WizardRuns, QList<int>{1});
  ASSERT_NE(form->DrawPanel, nullptr);
  EXPECT_TRUE(form->WorksheetShown());
  EXPECT_EQ(form->DrawPanel->BoundsRect(), QRect(10, 10, 455, 275));
  EXPECT_EQ(form->DrawPanel->Name(), QByteArray("DrawPanel"));
  ASSERT_NE(form->BGImage, nullptr);
  EXPECT_FALSE(form->BGImage->Visible());
  EXPECT_EQ(form->GridShape->GridWidth(), 10);
  EXPECT_TRUE(form->ObjectList.empty());
  EXPECT_TRUE(form->DocumentOpen);
  EXPECT_FALSE(form->Modified);
  EXPECT_EQ(form->DocumentFileName, QStringLiteral("newfile.tsl"));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Tessolo  newfile.tsl"));
  EXPECT_TRUE(form->FileSaveButton->isEnabled());
  EXPECT_TRUE(form->GridButton->isEnabled());
  // Later activations leave the worksheet alone.
  TPanel* panel = form->DrawPanel;
  form->FormActivate();
  EXPECT_EQ(form->DrawPanel, panel);
  EXPECT_EQ(form->WizardRuns, QList<int>{1});
}

TEST_F(MainWindowTest, OpenFromCommandLineFollowsTheArgumentRules) {
  // Lower-casing applies to the whole path, so the folder must not hold
  // capitals (a temporary folder's random name does).
  QDir docs(QDir::tempPath() + QStringLiteral("/tessolo-cmdline-") +
            QString::number(QCoreApplication::applicationPid()));
  ASSERT_TRUE(docs.mkpath(QStringLiteral(".")));
  ASSERT_EQ(docs.path(), docs.path().toLower());
  struct Cleanup {
    QDir dir;
    ~Cleanup() { dir.removeRecursively(); }
  } cleanup{docs};
  const QString lowerPath = docs.filePath(QStringLiteral("card.tsl"));
  const QString mixedPath = Folder.filePath(QStringLiteral("Mixed.TSL"));
  WriteAll(lowerPath, "x");
  WriteAll(mixedPath, "x");
  WriteAll(Folder.filePath(QStringLiteral("notes.txt")), "x");

  auto form = MakeForm();
  const QList<QStringList> refused = {
      {},
      {lowerPath, lowerPath},
      {Folder.filePath(QStringLiteral("notes.txt"))},
      {Folder.filePath(QStringLiteral("missing.tsl"))},
      {Folder.path() + QStringLiteral("/")},
  };
  for (const QStringList& args : refused) {
    form->CommandLineArguments = args;
    EXPECT_FALSE(form->OpenFromCommandLine()) << args.join(QLatin1Char(' ')).toStdString();
  }
  EXPECT_TRUE(form->Loaded.isEmpty());
  EXPECT_TRUE(Scripted.Ui.Messages().empty());

  // Written with capitals, found under its lower-case name.
  WriteAll(docs.filePath(QStringLiteral("upper.tsl")), "x");
  form->CommandLineArguments = {docs.filePath(QStringLiteral("UPPER.TSL"))};
  ASSERT_TRUE(form->OpenFromCommandLine());
  EXPECT_EQ(form->Loaded.last(), docs.filePath(QStringLiteral("upper.tsl")));
  EXPECT_EQ(form->DocumentFileName, form->Loaded.last());
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Tessolo  ") + form->Loaded.last());
  EXPECT_TRUE(form->DocumentOpen);
  EXPECT_TRUE(form->PrintButton->isEnabled());

  // Only the mixed-case name exists: opened, and shown, as given.
  form->CommandLineArguments = {mixedPath};
  ASSERT_TRUE(form->OpenFromCommandLine());
  EXPECT_EQ(form->Loaded.last(), mixedPath);
  EXPECT_EQ(form->DocumentFileName, mixedPath);

  // A failed load leaves no document and no worksheet.
  form->LoadSucceeds = false;
  form->Modified = true;
  form->CommandLineArguments = {lowerPath};
  EXPECT_FALSE(form->OpenFromCommandLine());
  EXPECT_EQ(form->DrawPanel, nullptr);
  EXPECT_FALSE(form->WorksheetShown());
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_FALSE(form->Modified);
  EXPECT_FALSE(form->FileSaveButton->isEnabled());
}

TEST_F(MainWindowTest, ResetWorksheetBuildsAFreshEmptySheet) {
  auto form = MakeForm();
  form->DocumentSetup.SheetWidthPx = 300;
  form->DocumentSetup.SheetHeightPx = 200;
  form->ResetWorksheet();
  auto* shape = new TQuShape(form->DrawPanel);
  shape->SetParent(form->DrawPanel);
  form->AttachObject(shape);
  form->ColorDialog->SetCustomColors({QStringLiteral("ColorA=FF0000")});
  ASSERT_EQ(form->ObjectList.size(), 1u);

  // The cursor follows the tool button that is down.
  const std::pair<TSpeedButton*, TCursor> tools[] = {
      {form->TextButton, 3}, {form->RectButton, 1}, {form->CFButton, 2}, {form->PointButton, 0}};
  for (const auto& [button, cursor] : tools) {
    button->SetDown(true);
    form->ResetWorksheet();
    EXPECT_EQ(form->DrawPanel->Cursor(), cursor) << button->objectName().toStdString();
  }
  EXPECT_TRUE(form->ObjectList.empty());
  EXPECT_EQ(form->DrawPanel->BoundsRect(), QRect(10, 10, 300, 200));
  EXPECT_EQ(form->DrawPanel->Controls().size(), 2u);  // background and grid only
  EXPECT_EQ(form->DrawPanel->Controls()[0], form->BGImage);
  EXPECT_EQ(form->DrawPanel->Controls()[1], form->GridShape);
  EXPECT_TRUE(form->BGImage->Visible());  // callers hide it
  EXPECT_FALSE(form->BGImage->Enabled());
  EXPECT_FALSE(form->GridShape->Enabled());
  EXPECT_EQ(form->GridShape->Pen()->Color(), TColor(0xC0C0C0));
  EXPECT_TRUE(form->ColorDialog->CustomColors().isEmpty());
  EXPECT_TRUE(form->DrawPanel->OnMouseDown && form->DrawPanel->OnMouseMove && form->DrawPanel->OnMouseUp);
  EXPECT_TRUE(form->WorksheetShown());
}

TEST_F(MainWindowTest, CommandEnablingFollowsDocumentAndClipboard) {
  auto form = MakeForm();
  QClipboard* clipboard = QGuiApplication::clipboard();

  // No worksheet: Paste stays off whatever the clipboard holds.
  clipboard->setText(QStringLiteral("名刺"));
  form->UpdatePasteCommand();
  EXPECT_FALSE(form->EditPaste->isEnabled());
  form->FileMenuClick();
  for (QAction* a : {form->FileSave, form->FileSaveAs, form->WorkSheetClear, form->FilePrint, form->FilePrintSetup,
                     form->FilePreview, form->FileMergePrint})
    EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
  for (QAction* a : {form->FileNew, form->FileOpen, form->FileExit}) EXPECT_TRUE(a->isEnabled());

  form->FormActivate();  // an empty card
  form->FileMenuClick();
  for (QAction* a : {form->FileSave, form->FileSaveAs, form->WorkSheetClear, form->FilePrint, form->FilePrintSetup,
                     form->FilePreview, form->FileMergePrint})
    EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
  form->UpdatePasteCommand();
  EXPECT_TRUE(form->EditPaste->isEnabled());
  EXPECT_TRUE(form->PasteButton->isEnabled());

  clipboard->clear();
  form->UpdatePasteCommand();
  EXPECT_FALSE(form->PasteButton->isEnabled());

  auto* objects = new QMimeData;
  objects->setData(QLatin1String(kComponentMimeType), QByteArray("TPF0"));
  clipboard->setMimeData(objects);
  form->UpdatePasteCommand();
  EXPECT_TRUE(form->PasteButton->isEnabled());

  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::red);
  clipboard->setImage(picture);
  form->UpdatePasteCommand();
  EXPECT_TRUE(form->EditPaste->isEnabled());

  auto* other = new QMimeData;
  other->setData(QStringLiteral("application/x-other"), QByteArray("?"));
  clipboard->setMimeData(other);
  form->UpdatePasteCommand();
  EXPECT_FALSE(form->EditPaste->isEnabled());
}

TEST_F(MainWindowTest, AboutBoxAndHelp) {
  auto form = MakeForm();
  EXPECT_EQ(form->CreateAboutBox()->Version->text(), QStringLiteral("Version 2.0g"));

  // Without the help file the user is told which file is missing.
  form->Contents1Click();
  ASSERT_EQ(Scripted.Ui.Messages().size(), 1u);
  EXPECT_TRUE(Scripted.Ui.Messages()[0].contains(QStringLiteral("tessolo.hlp")));

  WriteAll(form->HelpFile,
           "<html><body><p>intro</p><h1><a name=\"top\"></a>Top</h1><p>text</p></body></html>");
  form->HelpButton->click();
  ASSERT_NE(form->HelpWindow(), nullptr);
  EXPECT_TRUE(form->HelpWindow()->isVisible());
  EXPECT_EQ(form->HelpWindow()->Browser->source().fragment(), QStringLiteral("top"));
  EXPECT_TRUE(form->HelpWindow()->Browser->toPlainText().contains(QStringLiteral("Top")));
}

TEST(HelpDocumentTest, DeliveredHelpHasTheTopTopic) {
  const QByteArray html = ReadAll(QStringLiteral(TESSOLO_TEST_DATA "/../../data/tessolo.hlp"));
  ASSERT_FALSE(html.isEmpty());
  EXPECT_TRUE(html.contains("name=\"top\""));
  THelpWindow window;
  ASSERT_TRUE(window.OpenTopic(QStringLiteral(TESSOLO_TEST_DATA "/../../data/tessolo.hlp"), QStringLiteral("top")));
  EXPECT_TRUE(window.Browser->toPlainText().contains(QStringLiteral("Tessolo")));
}
