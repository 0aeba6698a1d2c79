// The calibration's values as a person types them and as tessolo.ini keeps
// them: what reads, what is refused with which message, that a refused
// field gives back its earlier value, and printer names that QSettings
// would otherwise split into groups.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CalibrationRules.h"
#include "CalibrationStore.h"
#include "CalibrationText.h"
#include "ScriptedUserInterface.h"

namespace {

using Field = TPrinterCalibration::Field;

TEST(CalibrationRules, TypedValuesAreTakenOrRefusedWithAMessageAndTheOldValueStays) {
  const QString x = LoadStr(CalibrationText::OffsetX), sx = LoadStr(CalibrationText::ScaleX);
  const struct {
    Field F;
    QString Typed;
    QString Shown;    // the field's text after leaving it
    QString Message;  // empty: none
  } cases[] = {
      {Field::OffsetX, "1.5", "1.5", {}},
      {Field::OffsetX, " -10 ", "-10.0", {}},
      {Field::OffsetX, "+.3", "0.3", {}},
      {Field::OffsetX, "２．５", "2.5", {}},  // full width
      {Field::OffsetX, "−0.4", "-0.4", {}},   // a minus sign, not a hyphen
      {Field::OffsetX, "1.50", "1.5", {}},
      {Field::OffsetX, "10.1", "0.2", LoadStr(CalibrationText::OutOfRange).arg(x, "-10.0", "10.0")},
      {Field::OffsetX, "99999999999999999999", "0.2", LoadStr(CalibrationText::OutOfRange).arg(x, "-10.0", "10.0")},
      {Field::OffsetX, "1.25", "0.2", LoadStr(CalibrationText::TooFine).arg(x, "0.1mm")},
      {Field::OffsetX, "abc", "0.2", LoadStr(CalibrationText::NotANumber).arg("abc", x, "-10.0", "10.0")},
      {Field::OffsetX, "1.2.3", "0.2", LoadStr(CalibrationText::NotANumber).arg("1.2.3", x, "-10.0", "10.0")},
      {Field::OffsetX, "-", "0.2", LoadStr(CalibrationText::NotANumber).arg("-", x, "-10.0", "10.0")},
      {Field::OffsetX, "", "0.2", LoadStr(CalibrationText::NotANumber).arg("", x, "-10.0", "10.0")},
      {Field::ScaleX, "101", "101.00", {}},
      {Field::ScaleX, "98.00", "98.00", {}},
      {Field::ScaleX, "99.995", "100.00", LoadStr(CalibrationText::TooFine).arg(sx, "0.01%")},
      {Field::ScaleX, "97.99", "100.00", LoadStr(CalibrationText::OutOfRange).arg(sx, "98.00", "102.00")},
      {Field::ScaleX, "-100", "100.00", LoadStr(CalibrationText::OutOfRange).arg(sx, "98.00", "102.00")},
      {Field::ScaleX, "１０２", "102.00", {}},
  };
  TPrinterCalibration opened;
  opened.SetSteps(Field::OffsetX, 2);
  for (const auto& c : cases) {
    ScopedScriptedUI scripted;
    TCalibrationRules rules;
    rules.Open(opened);
    rules.Edited(c.F, c.Typed);
    if (!c.Message.isEmpty()) scripted.Ui.ReplyButton(mrOk);
    EXPECT_EQ(rules.FieldExit(c.F), c.Message.isEmpty()) << c.Typed.toStdString();
    EXPECT_EQ(rules.Text(c.F), c.Shown) << c.Typed.toStdString();
    EXPECT_EQ(scripted.Ui.Messages(), c.Message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.Message})
        << c.Typed.toStdString();
    EXPECT_EQ(TPrinterCalibration::Format(c.F, rules.Values().Steps(c.F)), c.Shown) << c.Typed.toStdString();
    EXPECT_EQ(rules.Changed(), c.Shown != TPrinterCalibration::Format(c.F, opened.Steps(c.F)));
  }
}

TEST(CalibrationRules, OkRefusesTheFirstBadFieldAndStepsStayInRange) {
  ScopedScriptedUI scripted;
  TCalibrationRules rules;
  rules.Open({});
  rules.Edited(Field::OffsetY, "3.3");
  rules.Edited(Field::ScaleY, "103");  // typed, never left: OK still checks it
  scripted.Ui.ReplyButton(mrOk);
  Field bad = Field::OffsetX;
  EXPECT_FALSE(rules.Accept(&bad));
  EXPECT_EQ(bad, Field::ScaleY);
  EXPECT_EQ(rules.Text(Field::ScaleY), "100.00");
  EXPECT_TRUE(rules.Accept(&bad));
  EXPECT_EQ(rules.Values().ToText(), "0.0 3.3 100.00 100.00");

  const struct {
    Field F;
    const char* Start;
    int Steps;
    const char* Shown;
  } steps[] = {{Field::OffsetX, "9.9", 1, "10.0"}, {Field::OffsetX, "9.9", 10, "10.0"},
               {Field::OffsetX, "-0.1", 1, "0.0"}, {Field::ScaleX, "98.01", -10, "98.00"},
               {Field::ScaleX, "100.00", 1, "100.01"}, {Field::ScaleX, "x", 1, "100.01"}};
  for (const auto& s : steps) {
    rules.Open({});
    rules.Edited(s.F, QString::fromUtf8(s.Start));
    rules.Step(s.F, s.Steps);
    EXPECT_EQ(rules.Text(s.F), QString::fromUtf8(s.Shown)) << s.Start << " " << s.Steps;
  }
  EXPECT_TRUE(scripted.Ui.AllRepliesUsed());
}

TEST(CalibrationRules, StoredEntriesReadOnlyWhenTheyAreFourValuesInRange) {
  const struct {
    const char* Text;
    bool Reads;
  } cases[] = {
      {"0.5 -1.2 100.25 99.80", true}, {"  0 0 100 100 ", true},     {"10.0 -10.0 98.00 102.00", true},
      {"0.5 -1.2 100.25", false},      {"0.5 -1.2 100.25 99.8 1", false}, {"0,5 0 100 100", false},
      {"10.1 0 100 100", false},       {"0 0 97 100", false},          {"0 0 100.001 100", false},
      {"a b c d", false},              {"", false},
  };
  for (const auto& c : cases) {
    const std::optional<TPrinterCalibration> read = TPrinterCalibration::FromText(QString::fromUtf8(c.Text));
    EXPECT_EQ(read.has_value(), c.Reads) << c.Text;
    if (read) {
      EXPECT_EQ(TPrinterCalibration::FromText(read->ToText()), read) << c.Text;
    }
  }
}

TEST(CalibrationStore, AnyPrinterNameKeepsItsOwnKeyUnderTheGroup) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("tessolo.ini"));
  const QStringList names = {"Office Laser 3/F", "Office Laser 3", "\\\\server\\queue", "100% 青/黒", "a//b", "a/b"};
  {
    QSettings settings(path, QSettings::IniFormat);
    TCalibrationStore store(settings);
    for (int i = 0; i < names.size(); ++i) {
      TPrinterCalibration c;
      c.SetSteps(Field::OffsetX, i + 1);
      ASSERT_TRUE(store.Write(names[i], c));
    }
    EXPECT_FALSE(store.Write(QString(), {}));
  }
  QSettings settings(path, QSettings::IniFormat);
  EXPECT_EQ(settings.childGroups(), QStringList{"Calibration"});
  settings.beginGroup(QStringLiteral("Calibration"));
  EXPECT_EQ(settings.childKeys().size(), names.size());
  EXPECT_TRUE(settings.childGroups().isEmpty());
  settings.endGroup();
  TCalibrationStore store(settings);
  for (int i = 0; i < names.size(); ++i) {
    const TCalibrationStore::Entry e = store.Read(names[i]);
    EXPECT_EQ(e.What, TCalibrationStore::State::Valid) << names[i].toStdString();
    EXPECT_EQ(e.Value.Steps(Field::OffsetX), i + 1) << names[i].toStdString();
  }
  EXPECT_EQ(store.Read(QStringLiteral("Other")).What, TCalibrationStore::State::Missing);
  // A hand-edited entry that does not read is told apart from a missing one.
  settings.setValue(TCalibrationStore::Key(QStringLiteral("Bad")), QStringLiteral("0.5, 1, 100, 100"));
  const TCalibrationStore::Entry bad = store.Read(QStringLiteral("Bad"));
  EXPECT_EQ(bad.What, TCalibrationStore::State::Unreadable);
  EXPECT_TRUE(bad.Value.IsNeutral());
  EXPECT_EQ(bad.Text, QStringLiteral("0.5, 1, 100, 100"));
}

}  // namespace
