#include <gtest/gtest.h>

#include "ErrorText.h"
#include "Messages.h"
#include "ScriptedUserInterface.h"
#include "ShiftJis.h"
#include "StringTable.h"

TEST(StringTable, EveryTextHasAShiftJisForm) {
  int count = 0;
  for (int id = 1001; id <= 1299; ++id) {
    const QString text = LoadStr(id);
    if (text.isEmpty()) continue;
    ++count;
    EXPECT_TRUE(ShiftJis::CanEncode(text)) << id;
  }
  EXPECT_EQ(count, 86);
  EXPECT_EQ(LoadStr(1010), "Tessolo Message");
  EXPECT_EQ(LoadStr(1005), QString::fromUtf8("ワークシート上のオブジェクトをすべて消去します。\n\n\tよろしいですか？"));
  EXPECT_EQ(LoadStr(1050), QString::fromUtf8("ＭＳ Ｐ明朝"));  // an ASCII blank between the full-width letters
  EXPECT_TRUE(LoadStr(1009).isEmpty());
}

TEST(ShowMessageId, TitlesTheTextAndFormatsInTheNameLiterally) {
  ScopedScriptedUI ui;
  ui.Ui.ReplyButton(mrCancel);
  EXPECT_EQ(ShowMessageId(1003, mbOKCancel), mrCancel);
  EXPECT_EQ(ShowMessageId(1100, QStringLiteral("%s 100%")), mrOk);
  ASSERT_EQ(ui.Ui.Calls().size(), 2u);
  EXPECT_EQ(ui.Ui.Calls()[0].Title, "Tessolo Message");
  EXPECT_EQ(ui.Ui.Calls()[0].Buttons, mbOKCancel);
  EXPECT_EQ(ui.Ui.Calls()[1].Text, QString::fromUtf8("\"%s 100%\"の設定情報がありません。"));
}

TEST(ErrorText, ReasonsReadInTheUsersWordsOutermostFirst) {
  // The words go in as they are, even when they look like a placeholder.
  EXPECT_EQ(ReasonText({ReasonId::PictureTooLarge, {QStringLiteral("%2"), QStringLiteral("7")}}),
            LoadStr(ReasonId::PictureTooLarge).replace(QStringLiteral("%1 x %2"), QStringLiteral("%2 x 7")));
  const EInvalidGraphic inner("inner", {ReasonId::JpegUnreadable, {}});
  const EReadError outer("outer", {ReasonId::PictureDataUnreadable, {}}, inner);
  EXPECT_EQ(ErrorText(outer), LoadStr(ReasonId::PictureDataUnreadable) + QLatin1Char('\n') +
                                  LoadStr(ReasonId::JpegUnreadable));
  EXPECT_EQ(ErrorText(std::runtime_error("English only")), LoadStr(1212));
  EXPECT_EQ(FileErrorText(EACCES), LoadStr(ReasonId::FileAccessDenied));
}
