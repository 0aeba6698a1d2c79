// The colour dialog's custom colours: the document's lines read and written
// back exactly, and the real dialog showing one document's colours at a time.
#include <QApplication>
#include <QColorDialog>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "CustomColors.h"
#include "UserInterface.h"

namespace {

QStringList Lines(std::initializer_list<std::pair<int, const char*>> set) {
  QStringList out;
  for (int i = 0; i < TCustomColors::Count; ++i) out << QStringLiteral("Color%1=FFFFFFFF").arg(QChar(u'A' + i));
  for (const auto& [index, value] : set) out[index] = QStringLiteral("Color%1=%2").arg(QChar(u'A' + index)).arg(value);
  return out;
}

// Acts in the colour dialog once its loop runs, then presses OK.
void WhenOpen(std::function<void(QColorDialog&)> act) {
  QTimer::singleShot(0, [act] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<QColorDialog*>(w); dialog && dialog->isVisible()) {
        act(*dialog);
        dialog->accept();
        return;
      }
  });
}

std::vector<QRgb> QtCustomColors() {
  std::vector<QRgb> out;
  for (int i = 0; i < TCustomColors::Count; ++i) out.push_back(QColorDialog::customColor(i).rgb());
  return out;
}

}  // namespace

TEST(CustomColors, ReadsLinesByTheirLetterAndWritesSixteenBack) {
  const struct {
    const char* Name;
    QStringList Read;
    QStringList Written;
  } rows[] = {
      {"white is a colour, FFFFFFFF is unset",
       {"ColorA=0000FF", "ColorB=FFFFFF", "ColorC=FFFFFFFF"}, Lines({{0, "0000FF"}, {1, "FFFFFF"}})},
      {"found by letter, kept as written",
       {"ColorP=00ff00", "ColorB=12"}, Lines({{15, "00ff00"}, {1, "12"}})},
      {"no letter, a letter past P or no value", {"ColorQ=000000", "Color=1", "nonsense", "ColorD"}, Lines({})},
      {"a new document's empty list", {}, Lines({})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(TCustomColors::FromLines(row.Read).ToLines(), row.Written);
  }
  TCustomColors colors = TCustomColors::FromLines({"colora=ff", "ColorB=FFFFFF"});
  EXPECT_EQ(colors.At(0), std::optional<TColor>(clRed));
  EXPECT_EQ(colors.At(1), std::optional<TColor>(clWhite));
  EXPECT_EQ(colors.At(2), std::nullopt);
  colors.Set(0, clRed);  // unchanged: the line stays as written
  colors.Set(2, clWhite);
  colors.Set(1, std::nullopt);
  EXPECT_EQ(colors.ToLines(), Lines({{0, "ff"}, {2, "FFFFFF"}}).replaceInStrings("ColorA=", "colora="));
}

TEST(ColorDialog, EachRunShowsTheDocumentsCustomColoursAndKeepsNothingElsewhere) {
  const std::vector<QRgb> before = QtCustomColors();
  QtUserInterface ui;

  // A document with red, a chosen white and unset entries; the user makes
  // the red one green and an unset one white, and picks blue.
  std::vector<QRgb> shown;
  WhenOpen([&](QColorDialog& dialog) {
    shown = QtCustomColors();
    QColorDialog::setCustomColor(0, Qt::green);
    QColorDialog::setCustomColor(2, Qt::white);
    QColorDialog::setCustomColor(3, QColor(0x12, 0x34, 0x56));
    QColorDialog::setCustomColor(3, Qt::white);
    dialog.setCurrentColor(Qt::blue);
  });
  auto reply = ui.ChooseColor({clBlack, Lines({{0, "0000FF"}, {1, "FFFFFF"}})});
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->Color, clBlue);
  ASSERT_EQ(shown.size(), 16u);
  EXPECT_EQ(shown[0], qRgb(255, 0, 0));
  EXPECT_EQ(shown[1], qRgb(255, 255, 255));
  // Qt cannot tell white put into an unset entry from the entry left as it
  // was; white put over a colour stays white.
  EXPECT_EQ(reply->CustomColors, Lines({{0, "00FF00"}, {1, "FFFFFF"}}));

  // The next document, a new worksheet's, shows none of that and gives its
  // unset entries back unset.
  WhenOpen([&](QColorDialog&) { shown = QtCustomColors(); });
  reply = ui.ChooseColor({clBlack, {}});
  ASSERT_TRUE(reply);
  EXPECT_EQ(shown, std::vector<QRgb>(16, qRgb(255, 255, 255)));
  EXPECT_EQ(reply->CustomColors, Lines({}));

  // Cancelling gives nothing back either.
  QTimer::singleShot(0, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<QColorDialog*>(w); dialog && dialog->isVisible()) {
        QColorDialog::setCustomColor(5, Qt::green);
        dialog->reject();
      }
  });
  EXPECT_FALSE(ui.ChooseColor({clBlack, Lines({{5, "0000FF"}})}));

  // Neither the process nor Qt's settings file keeps a document's colours.
  EXPECT_EQ(QtCustomColors(), before);
  const QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
  for (int i = 0; i < TCustomColors::Count; ++i) {
    const QRgb saved = qt.value(QStringLiteral("Qt/customColors/%1").arg(i), before[size_t(i)]).toUInt();
    EXPECT_EQ(saved | 0xFF000000u, before[size_t(i)]) << i;
  }
}
