// The print preview through the main window: what the sheet shows for a
// printer, how it follows the page setup changed from inside it, what it
// paints, and the bounds it leaves behind for the next opening.
#include <QApplication>
#include <QFileInfo>
#include <QFocusEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "Bitmap.h"
#include "Image.h"
#include "ImagePrintDevice.h"
#include "NumericField.h"
#include "PageSetDlg.h"
#include "PanelView.h"
#include "Picture.h"
#include "PixelProbe.h"
#include "PreviewForm.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {

// An A4 printer at 600 dpi that cannot print the outer 4 mm, reporting
// PHYSICALWIDTH 4960, HORZSIZE 203 and HORZRES 4800.
const TImageDeviceCaps kA4Printer{4800, 6814, 203, 288, 4960, 7016, 94, 100};

// The main window with an empty card open; the preview is driven by the test
// instead of a modal loop, and measures the printer the test chooses.
class PreviewForm3 : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}
  TImageDeviceCaps Caps = kA4Printer;
  bool MeasureCurrentPrinter = false;  // the printer printing uses instead of Caps
  std::function<void(TPreviewForm&)> User;  // what the user does while it is open
  std::unique_ptr<IPrintDevice> PreviewDevice() override {
    if (MeasureCurrentPrinter) return TForm3::PreviewDevice();
    return std::make_unique<ImagePrintDevice>(Caps);
  }
  void ShowPreviewModal(TPreviewForm& form) override {
    form.show();
    if (User) User(form);
    form.close();
  }
  void OpenEmptyCard() {
    ResetWorksheet();
    BGImage->Hide();
    DocumentOpened(DefaultFileName);
    Modified = false;
  }
};

class PreviewCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Form = std::make_unique<PreviewForm3>(nullptr, Folder.path());
    Form->OpenEmptyCard();
  }
  QTemporaryDir Folder;
  ScopedScriptedUI Scripted;
  std::unique_ptr<PreviewForm3> Form;
};

QImage Painted(TPreviewForm& form) {
  TPanel* sheet = form.PreviewPanel();
  QImage image = PixelProbe::Blank(sheet->Width(), sheet->Height());
  QPainter p(&image);
  sheet->PaintTo(p, 0, 0);
  return image;
}

// Where the card panel lies on the sheet.
QRect OnSheet(const TPreviewForm& form, const TPanel* card) {
  return card->BoundsRect().translated(form.PrintArea()->BoundsRect().topLeft());
}

}  // namespace

TEST_F(PreviewCommandTest, AnA4PrinterShowsTheSheetAndEveryCardToScaleAndPrintsFromThere) {
  int cards = -1;
  Form->User = [&](TPreviewForm& f) {
    EXPECT_EQ(f.PreviewPanel()->Width(), 420);
    EXPECT_EQ(f.PreviewView->geometry(), f.PreviewPanel()->BoundsRect());
    cards = int(f.CardPanels().size());
    const TPanel* first = f.CardPanels().front();
    EXPECT_EQ(first->Width(), 182);  // 455 worksheet pixels at 40 %
    EXPECT_EQ(first->Left(), 20);
    EXPECT_EQ(OnSheet(f, first).left(), 28);  // 14 mm from the paper's edge

    Scripted.Ui.ReplyPrint(Folder.filePath(QStringLiteral("sheet.pdf")));
    f.PrintBtn->click();
    EXPECT_EQ(int(f.CardPanels().size()), cards);
  };
  Form->FilePreviewClick();
  EXPECT_EQ(cards, 10);
  EXPECT_TRUE(QFileInfo::exists(Folder.filePath(QStringLiteral("sheet.pdf"))));
  EXPECT_EQ(Scripted.Ui.Calls().size(), 1u);  // the print dialog, no message
}

TEST_F(PreviewCommandTest, ThePageSetupChangedFromThePreviewIsShownWhenTheDialogCloses) {
  std::vector<size_t> counts;
  Form->User = [&](TPreviewForm& f) {
    counts.push_back(f.CardPanels().size());
    QTimer::singleShot(0, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<TPageSetDlg*>(w); d && d->isVisible()) {
          d->FormActivate();
          for (auto [field, text] : {std::pair{d->RetuMemo, "3"}, std::pair{d->DannMemo, "4"}}) {
            field->selectAll();
            field->insert(QString::fromLatin1(text));
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(field, &out);
          }
          d->OKBtn->click();
          return;
        }
      ADD_FAILURE() << "no page setup dialog";
    });
    f.PageSetDlgBtn->click();
    counts.push_back(f.CardPanels().size());
  };
  Form->FilePreviewClick();
  EXPECT_EQ(counts, (std::vector<size_t>{10, 12}));
  EXPECT_TRUE(Form->Modified);
}

TEST_F(PreviewCommandTest, AnEmptyCardShowsItsDottedOutlineAndAFullBackgroundHidesIt) {
  QList<int> dots;  // black pixels along the top edge of the first card
  QRgb inside = 0, margin = 0;
  Form->User = [&](TPreviewForm& f) {
    const QImage image = Painted(f);
    const QRect card = OnSheet(f, f.CardPanels().front());
    dots = PixelProbe::ColumnsIn(image.copy(card.left(), card.top(), card.width(), 1), 0, Qt::black);
    inside = PixelProbe::At(image, card.center().x(), card.center().y());
    margin = PixelProbe::At(image, 2, 2);
  };
  Form->FilePreviewClick();
  ASSERT_FALSE(dots.isEmpty());
  EXPECT_EQ(dots.front(), 0);
  EXPECT_LT(dots.size(), 182 * 2 / 3);  // dots, not a line
  EXPECT_EQ(inside, 0xFFFFFFu);
  EXPECT_EQ(margin, 0x808080u);  // the grey the printer cannot reach

  Form->BGImage->Picture()->SetGraphic(TBitmap::FromImage(PixelProbe::Blank(40, 20, Qt::red)));
  Form->BGImage->Show();
  Form->FilePreviewClick();
  EXPECT_TRUE(dots.isEmpty());
  EXPECT_EQ(inside, 0xFF0000u);
}

TEST_F(PreviewCommandTest, ThePreviewWindowComesBackWhereItWasLeft) {
  const QRect moved(150, 120, 640, 480);
  const QRect opened(204, 104, 595, 402);  // the settings' defaults
  enum Step { Move, Maximize, Minimize, Restore };
  const struct {
    bool openMaximized;
    std::vector<Step> steps;
    QRect bounds;
    bool maximized;
  } cases[] = {
      {false, {Move}, moved, false},
      {false, {Move, Maximize}, moved, true},
      {false, {Move, Maximize, Minimize}, moved, true},
      {true, {}, opened, true},
      {true, {Restore, Move}, moved, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(&c - cases));
    Form->WindowSettings = TWindowSettings{};
    Form->WindowSettings.PreviewMaximized = c.openMaximized;
    bool wasMaximized = false;
    Form->User = [&](TPreviewForm& f) {
      wasMaximized = f.WasMaximized();
      for (Step step : c.steps) {
        if (step == Move) f.setGeometry(moved);
        if (step == Maximize) f.showMaximized();
        if (step == Minimize) f.showMinimized();
        if (step == Restore) f.showNormal();
      }
    };
    Form->FilePreviewClick();
    const TWindowSettings& s = Form->WindowSettings;
    EXPECT_EQ(wasMaximized, c.openMaximized);
    EXPECT_EQ(QRect(s.PreviewLeft, s.PreviewTop, s.PreviewWidth, s.PreviewHeight), c.bounds);
    EXPECT_EQ(s.PreviewMaximized, c.maximized ? 1 : 0);
  }
}

TEST_F(PreviewCommandTest, APrinterThatMeasuresNothingIsToldOnceAndTheSheetStaysEmpty) {
  Form->Caps = TImageDeviceCaps{};
  Form->User = [](TPreviewForm& f) {
    f.FormActivate();  // as closing the message box activates the window again
    EXPECT_EQ(f.PrintArea(), nullptr);
    EXPECT_TRUE(f.PreviewPanel()->BoundsRect().isEmpty());
  };
  Form->FilePreviewClick();
  EXPECT_EQ(Scripted.Ui.Messages().size(), 1u);
}

TEST_F(PreviewCommandTest, TheDefaultPrinterIsMeasuredWithoutStartingAJob) {
  const std::unique_ptr<IPrintDevice> device = Form->TForm3::PreviewDevice();
  EXPECT_TRUE(TPreviewLayout::FromCaps(TPreviewCaps::Read(*device)));
  EXPECT_FALSE(device->Printing());
}

TEST_F(PreviewCommandTest, EachPrinterChosenInThePrintDialogBringsItsOwnMarginsAndResolution) {
  // Queues whose unprintable edges and resolutions differ, chosen one after
  // another in the print dialog opened from the preview.
  const struct {
    TPrinterPage Page;
    QPoint OffsetPx;
  } queues[] = {
      {{QMarginsF(12.7, 12.7, 12.7, 12.7), 300, false}, {150, 150}},
      {{QMarginsF(6.35, 6.35, 6.35, 6.35), 600, false}, {150, 150}},
      {{QMarginsF(6.35, 12.7, 6.35, 12.7), 1200, false}, {300, 600}},
      {{QMarginsF(), 600, true}, {0, 0}},
  };
  TPrinterPage chosen = queues[0].Page;
  Form->PrinterPageOf = [&](const QPrinter&) { return chosen; };
  Form->MeasureCurrentPrinter = true;
  int printed = 0;
  Form->User = [&](TPreviewForm& f) {
    for (const auto& queue : queues) {
      SCOPED_TRACE(queue.Page.Dpi);
      chosen = queue.Page;
      Scripted.Ui.ReplyPrint(Folder.filePath(QStringLiteral("sheet%1.pdf").arg(printed++)));
      f.PrintBtn->click();
      const std::unique_ptr<IPrintDevice> device = Form->TForm3::PreviewDevice();
      EXPECT_EQ(device->GetDeviceCaps(PHYSICALOFFSETX), queue.OffsetPx.x());
      EXPECT_EQ(device->GetDeviceCaps(PHYSICALOFFSETY), queue.OffsetPx.y());
      EXPECT_NEAR(device->GetDeviceCaps(HORZRES) + 2 * queue.OffsetPx.x(), device->GetDeviceCaps(PHYSICALWIDTH), 1);
      ASSERT_NE(f.PrintArea(), nullptr);
      EXPECT_EQ(f.PrintArea()->Left() > 0, queue.OffsetPx.x() > 0) << "the preview shows the new printable area";
    }
  };
  Form->FilePreviewClick();
  EXPECT_TRUE(Scripted.Ui.AllRepliesUsed());
  EXPECT_TRUE(QFileInfo::exists(Folder.filePath(QStringLiteral("sheet3.pdf"))));
}
