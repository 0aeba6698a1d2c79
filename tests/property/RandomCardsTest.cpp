// Random cards made as a user makes them: the page setup dialog's rules, the
// tools on the worksheet, the style, text, picture, background and grid
// commands, with the colour and file dialogs answered at random. Each card is
// saved, read back and saved again; both saves and both descriptions must be
// the same. TESSOLO_RANDOM_CARDS sets how many cards (10,000 by default),
// TESSOLO_RANDOM_SEED the first seed; a failure names the card's seed and the
// run that rebuilds it.
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "Bitmap.h"
#include "ColorDialog.h"
#include "DocumentIO.h"
#include "DocumentInfo.h"
#include "GridSettingDlg.h"
#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "Picture.h"
#include "Memo.h"
#include "PageSetupCommand.h"
#include "PageSetupRules.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "Unit3.h"
#include "UnitField.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

class CardWindow : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}
};

int EnvInt(const char* name, int fallback) {
  bool ok = false;
  const int v = qEnvironmentVariableIntValue(name, &ok);
  return ok ? v : fallback;
}

class CardMaker {
 public:
  CardMaker(CardWindow& form, ScriptedUserInterface& ui, const QStringList& pictures)
      : F(form), Ui(ui), Pictures(pictures) {}

  void Make(uint32_t seed) {
    R.seed(seed);
    F.ResetWorksheet();
    PageSetup();
    for (int i = Int(0, 2); i > 0; --i) Colours();
    Background();
    Grid();
    for (int n = Int(0, 12); n > 0; --n) {
      switch (Int(0, 5)) {
        case 0: case 1: case 2: Shape(); break;
        case 3: case 4: Text(); break;
        case 5: Picture(); break;
      }
    }
    Ui.Clear();
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(R); }
  bool Chance(int percent) { return Int(1, 100) <= percent; }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(R); }
  TColor Colour() { return Chance(30) ? TColor(Int(0, 15) * 0x111111 & 0xFFFFFF) : TColor(R() & 0xFFFFFF); }
  QPoint Point() {
    return {Int(0, F.DrawPanel->Width() - 1), Int(0, F.DrawPanel->Height() - 1)};
  }
  TShiftState Shift() { return Chance(30) ? ssAlt : TShiftState(0); }

  // The page setup dialog: a unit, some fields typed and left, then OK.
  void PageSetup() {
    PageSetupRules rules(F.Folders());
    rules.HandIn(F.DocumentSetup);
    rules.FormActivate();
    if (Chance(30)) rules.PaperSizeCBClick(Int(0, 1));
    const bool inch = Chance(30);
    inch ? rules.TanniInchRBClick() : rules.TanniMmRBClick();
    const double perMm = inch ? 1 / 25.4 : 1;
    auto length = [&](double lo, double hi) {
      return QString::number(Real(lo, hi) * perMm, 'f', inch ? 3 : 1);
    };
    const struct {
      PageField Field;
      std::function<QString()> Text;
    } fields[] = {
        {PageField::Width, [&] { return length(5, 300); }},
        {PageField::Height, [&] { return length(5, 300); }},
        {PageField::Retu, [&] { return QString::number(Int(1, 12)); }},
        {PageField::Dann, [&] { return QString::number(Int(1, 12)); }},
        {PageField::TopMargin, [&] { return length(0, 40); }},
        {PageField::LMargin, [&] { return length(0, 40); }},
        {PageField::InsideMarginX, [&] { return length(0, 20); }},
        {PageField::InsideMarginY, [&] { return length(0, 20); }},
    };
    for (const auto& f : fields) {
      if (!Chance(40)) continue;
      rules.FieldChanged(f.Field, f.Text());
      rules.FieldExit(f.Field);
    }
    rules.SetOverflowAdjust(Int(-3, 3));
    rules.SetPrintTonbo(Chance(50));
    if (rules.OKBtnClick() && rules.FormCloseQuery(true)) ApplyPageSetup(F.DocumentSetup, F, rules.Result());
  }

  // The colour dialog through the drawing and fill colour commands, with
  // custom colours of every kind.
  void Colours() {
    TColorReply reply;
    reply.Color = Colour();
    for (int i = 0; i < 16; ++i) {
      const QString value = Chance(50) ? QStringLiteral("FFFFFFFF")
                                       : QString::number(uint32_t(Colour()), 16).toUpper().rightJustified(6, u'0');
      reply.CustomColors << QStringLiteral("Color%1=%2").arg(QChar(u'A' + i)).arg(value);
    }
    Ui.ReplyColor(reply);
    Chance(50) ? F.ForColorClick() : F.BackColorClick();
    Ui.Clear();
  }

  void Background() {
    if (Chance(40)) {
      Ui.ReplyFile(Pictures[Int(0, int(Pictures.size()) - 1)]);
      F.BGImageSettingClick();
    } else if (Chance(20)) {
      F.BGImageClearClick();
    }
  }

  void Grid() {
    F.RunGridSettingDialog = [this](TGridSettingDlg& dlg) {
      QRadioButton* units[] = {dlg.TanniMmRB, dlg.TanniInRB, dlg.TanniPixRB};
      units[Int(0, 2)]->click();
      dlg.GridMemo->setText(dlg.TanniPixRB->isChecked() ? QString::number(Int(1, 60))
                                                         : QString::number(Real(0.2, 12) / (dlg.TanniInRB->isChecked() ? 25.4 : 1), 'f', 3));
      dlg.GridMemoExit();
      dlg.GridDspCheckBox->setChecked(Chance(70));
      dlg.FitGridCheckBox->setChecked(Chance(60));
      dlg.OKBtn->click();
      return dlg.result() == QDialog::Accepted;
    };
    F.GridSettingClick();
  }

  void Drag(QPoint from, QPoint to) {
    const TShiftState shift = Shift();
    F.DrawPanelMouseDown(F.DrawPanel, mbLeft, shift, from.x(), from.y());
    F.DrawPanelMouseMove(F.DrawPanel, shift, to.x(), to.y());
    F.DrawPanelMouseUp(F.DrawPanel, mbLeft, shift, to.x(), to.y());
  }

  void Shape() {
    F.WidthButtonClick(Int(1, 6));
    Chance(70) ? F.psSolidButtonClick() : F.psDotButtonClick();
    void (TForm2::*tools[])() = {&TForm2::RectButtonClick, &TForm2::SquareButtonClick, &TForm2::EllipseButtonClick,
                                 &TForm2::CircleButtonClick, &TForm2::LineButtonClick};
    (F.*tools[Int(0, 4)])();
    const size_t before = F.ObjectList.size();
    Drag(Point(), Point());
    if (F.ObjectList.size() == before) return;
    auto* shape = dynamic_cast<TQuShape*>(F.ObjectList.back());
    if (!shape) return;
    // Rounded corners come only from documents and templates.
    if (shape->Shape() == qustRectangle && Chance(20)) shape->SetShape(qustRoundRect);
    if (shape->Shape() == qustSquare && Chance(20)) shape->SetShape(qustRoundSquare);
    F.CurShape = shape;
    if (Chance(40)) F.BrushedClick();
    if (Chance(30)) {
      Ui.ReplyColor(TColorReply{Colour(), {}});
      Chance(50) ? F.BrushColorChangeClick() : F.PenColorChangeClick();
    }
    Ui.Clear();
  }

  QString Words() {
    static const QString words[] = {
        QStringLiteral("株式会社テッソーロ"), QStringLiteral("代表取締役"), QStringLiteral("山田 太郎"),
        QStringLiteral("〒100-0001 東京都千代田区"), QStringLiteral("TEL 03-1234-5678"), QStringLiteral("ｶﾀｶﾅ"),
        QStringLiteral("Tessolo Inc."), QStringLiteral("  "), QStringLiteral("①②"), QStringLiteral("a\tb"),
        QStringLiteral("𠮷野家 😀 €"),
    };
    QString out;
    for (int n = Int(0, 4); n > 0; --n) out += words[Int(0, 10)] + (Chance(30) ? QStringLiteral(" ") : QString());
    return out;
  }

  void Text() {
    if (Chance(30)) F.BoldButtonClick();
    if (Chance(20)) F.ItalicButtonClick();
    if (Chance(20)) F.UnderlineButtonClick();
    if (Chance(50)) {
      F.FontSizeComboBox->setEditText(QString::number(Int(6, 72)));
      F.FontSizeComboBoxExit();
    }
    if (Chance(50)) {
      F.GapComboBox->setEditText(QString::number(Int(0, 20)));
      F.GapComboBoxExit();
    }
    if (Chance(30) && F.FontNameComboBox->count() > 0) {
      F.FontNameComboBox->setEditText(F.FontNameComboBox->itemText(Int(0, F.FontNameComboBox->count() - 1)));
      F.FontNameComboBoxExit();
    }
    F.TextButtonClick();
    const QPoint at = Point();
    F.DrawPanelMouseDown(F.DrawPanel, mbLeft, Shift(), at.x(), at.y());
    F.DrawPanelMouseUp(F.DrawPanel, mbLeft, 0, at.x(), at.y());
    if (!F.EditMemo) return;
    QStringList lines;
    for (int n = Chance(10) ? 0 : Int(1, 5); n > 0; --n) lines << (Chance(15) ? QString() : Words());
    if (Chance(5)) lines << QString(120, QChar(u'長'));  // past 255 bytes
    F.EditMemo->SetText(lines.join(Chance(80) ? QStringLiteral("\r\n") : QStringLiteral("\n")));
    if (Chance(30)) {
      Ui.ReplyColor(TColorReply{Colour(), {}});
      F.ForColorClick();
    }
    F.CloseTextEditor();
    Ui.Clear();
  }

  void Picture() {
    Chance(70) ? F.imageButtonClick() : F.CFButtonClick();
    Ui.ReplyFile(Chance(10) ? std::nullopt : std::optional<QString>(Pictures[Int(0, int(Pictures.size()) - 1)]));
    const QPoint at = Point();
    F.DrawPanelMouseDown(F.DrawPanel, mbLeft, Shift(), at.x(), at.y());
    F.DrawPanelMouseUp(F.DrawPanel, mbLeft, 0, at.x(), at.y());
    Ui.Clear();
  }

  CardWindow& F;
  ScriptedUserInterface& Ui;
  const QStringList& Pictures;
  std::mt19937 R;
};

// Small pictures of both stored kinds.
QStringList WritePictures(const QTemporaryDir& dir) {
  QStringList out;
  const struct {
    const char* Name;
    QSize Size;
    const char* Format;
  } pictures[] = {{"a.bmp", {7, 5}, "BMP"}, {"b.jpg", {16, 9}, "JPG"}, {"c.bmp", {1, 1}, "BMP"}, {"d.jpg", {3, 40}, "JPG"}};
  for (const auto& p : pictures) {
    QImage image(p.Size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 30, y * 20, (x + y) * 10));
    const QString path = dir.filePath(QLatin1String(p.Name));
    EXPECT_TRUE(image.save(path, p.Format));
    out << path;
  }
  return out;
}

// The kinds of thing a card holds, so that a run can tell it made them all.
std::set<QString> KindsOn(const TWorksheet& sheet) {
  std::set<QString> kinds;
  if (sheet.BGImage && sheet.BGImage->Picture()->Graphic()) kinds.insert(QStringLiteral("background"));
  for (const TControl* c : sheet.ObjectList) {
    if (auto* s = dynamic_cast<const TQuShape*>(c)) kinds.insert(QStringLiteral("shape %1").arg(int(s->Shape())));
    if (auto* l = dynamic_cast<const TLabelEx*>(c)) {
      kinds.insert(QStringLiteral("text"));
      if (l->Caption().contains(QStringLiteral("\r\n"))) kinds.insert(QStringLiteral("lines"));
    }
    if (auto* i = dynamic_cast<const TImage*>(c)) kinds.insert(QStringLiteral("picture %1").arg(i->Tag()));
  }
  return kinds;
}

}  // namespace

TEST(RandomCards, EachSavesReadsBackAndSavesTheSameBytesAndDescription) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QStringList pictures = WritePictures(folder);
  ScopedScriptedUI scripted;
  CardWindow form(nullptr, folder.path());
  form.DocumentOpened(form.DefaultFileName);
  CardMaker maker(form, scripted.Ui, pictures);

  const int cards = EnvInt("TESSOLO_RANDOM_CARDS", 10000);
  std::set<QString> made;
  const uint32_t first = uint32_t(EnvInt("TESSOLO_RANDOM_SEED", 1));
  for (int i = 0; i < cards; ++i) {
    const uint32_t seed = first + uint32_t(i);
    // The editor keeps its settings from card to card, as it does for a
    // user, so a card is rebuilt by the run that led to it.
    SCOPED_TRACE(testing::Message() << "card of seed " << seed << " (TESSOLO_RANDOM_SEED=" << first
                                    << " TESSOLO_RANDOM_CARDS=" << i + 1 << " rebuilds it)");
    maker.Make(seed);
    made.merge(KindsOn(form));
    const QByteArray saved = BuildDocumentBytes(form, form.DocumentSetup, form.VersionString);
    const QByteArray info = DocumentInfoJson(form, form.DocumentSetup, form.VersionString);

    TWorksheet sheet;
    DocumentPageSetup setup;
    QByteArray version;
    ASSERT_TRUE(LoadDocumentBytes(saved, sheet, setup, version, {}).Ok()) << scripted.Ui.Messages().size();
    const QByteArray again = BuildDocumentBytes(sheet, setup, version);
    ASSERT_EQ(again.size(), saved.size());
    ASSERT_TRUE(again == saved);
    ASSERT_EQ(DocumentInfoJson(sheet, setup, version).toStdString(), info.toStdString());
  }
  // Every kind of shape, multi-line text, pictures, catch phrases and a background.
  if (cards >= 50) {
    EXPECT_EQ(made.size(), 13u) << QStringList(made.begin(), made.end()).join(QLatin1Char(',')).toStdString();
  }
}
