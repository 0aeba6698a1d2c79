// QR codes: contacts as vCard and MECARD text, the code's picture and its
// level read back from its own format bits, and re-making a code in place.
#include <gtest/gtest.h>

#include <QString>

#include <functional>

#include "Graphic.h"
#include "Picture.h"
#include "QrCode.h"
#include "QrContact.h"

namespace {

const TQrContact kYamada{QStringLiteral("山田 太郎"),         QStringLiteral("ヤマダ タロウ"),
                         QStringLiteral("株式会社テスト"),    QStringLiteral("部長"),
                         QStringLiteral("03-1234-5678"),      QStringLiteral("03-1234-5679"),
                         QStringLiteral("taro@example.jp"),   QStringLiteral("https://example.jp/"),
                         QStringLiteral("東京都千代田区1-2-3")};

TQrContact Only(QString TQrContact::*field, const QString& value) {
  TQrContact c;
  c.*field = value;
  return c;
}

TEST(QrContact, EachFormEscapesItsSpecialCharactersLeavesOutEmptyFieldsAndReadsBack) {
  const struct {
    const char* What;
    TQrContact Contact;
    TContactFormat Format;
    QString Expected;
  } cases[] = {
      {"Japanese vCard", kYamada, TContactFormat::VCard,
       QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\n"
                      "SOUND;X-IRMC-N:ヤマダ;タロウ;;;\r\nX-PHONETIC-LAST-NAME:ヤマダ\r\n"
                      "X-PHONETIC-FIRST-NAME:タロウ\r\nORG:株式会社テスト\r\nTITLE:部長\r\n"
                      "TEL;TYPE=WORK,VOICE:03-1234-5678\r\nTEL;TYPE=WORK,FAX:03-1234-5679\r\n"
                      "EMAIL;TYPE=INTERNET:taro@example.jp\r\nURL:https://example.jp/\r\n"
                      "ADR;TYPE=WORK:;;東京都千代田区1-2-3;;;;\r\nEND:VCARD")},
      {"vCard escapes", Only(&TQrContact::Company, QStringLiteral("A;B,C\\D:E")), TContactFormat::VCard,
       QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nORG:A\\;B\\,C\\\\D:E\r\nEND:VCARD")},
      {"vCard name with a wide space", Only(&TQrContact::Name, QStringLiteral("佐藤　花子")),
       TContactFormat::VCard,
       QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:佐藤;花子;;;\r\nFN:佐藤　花子\r\nEND:VCARD")},
      {"Japanese MECARD", kYamada, TContactFormat::MeCard,
       QStringLiteral("MECARD:N:山田,太郎;SOUND:ヤマダ,タロウ;TEL:03-1234-5678;EMAIL:taro@example.jp;"
                      "URL:https\\://example.jp/;ADR:東京都千代田区1-2-3;ORG:株式会社テスト;"
                      "NOTE:部長 FAX 03-1234-5679;;")},
      {"MECARD escapes", Only(&TQrContact::Company, QStringLiteral("A;B,C\\D:\"E\"")), TContactFormat::MeCard,
       QStringLiteral("MECARD:ORG:A\\;B\\,C\\\\D\\:\\\"E\\\";;")},
      {"MECARD fax alone", Only(&TQrContact::Fax, QStringLiteral("03-9999")), TContactFormat::MeCard,
       QStringLiteral("MECARD:NOTE:FAX 03-9999;;")},
  };
  for (const auto& c : cases) {
    const QString text = EncodeContact(c.Contact, c.Format);
    EXPECT_EQ(text, c.Expected) << c.What;
    const auto back = DecodeContact(text);
    ASSERT_TRUE(back) << c.What;
    EXPECT_EQ(back->Format, c.Format) << c.What;
    EXPECT_EQ(back->Contact, c.Contact) << c.What;
  }
  EXPECT_FALSE(DecodeContact(QStringLiteral("https://example.jp/")));
}

TEST(QrCode, TheLevelSurvivesInTheBitmapAndReplacingKeepsLevelBoundsAndHint) {
  for (TQrLevel level : {TQrLevel::L, TQrLevel::M, TQrLevel::Q, TQrLevel::H}) {
    for (const QString& content : {QStringLiteral("https://example.jp/"), QString(200, QChar(u'あ'))}) {
      TImage image(nullptr);
      const TOutcome made = MakeQrCode(image, content, level);
      ASSERT_TRUE(made.Ok()) << made.Reason().toStdString();
      image.SetBounds(10, 20, 100, 100);
      EXPECT_TRUE(IsQrCode(image));
      EXPECT_EQ(image.Hint(), content);
      EXPECT_EQ(image.Picture()->Graphic()->GraphicClassName(), "TBitmap");
      // The bitmap is the symbol at one pixel per module, quiet zone included.
      const QImage& symbol = image.Picture()->Graphic()->Image();
      EXPECT_EQ((symbol.width() - 2 * QrQuietZone - 17) % 4, 0);
      EXPECT_EQ(QrLevelOf(image), level) << QrLevelLetter(level).toStdString();

      const QString filled = content + QStringLiteral("?id=42");
      ASSERT_TRUE(ReplaceQrContent(image, filled).Ok());
      EXPECT_EQ(image.BoundsRect(), QRect(10, 20, 100, 100));
      EXPECT_EQ(image.Hint(), content);
      EXPECT_EQ(QrLevelOf(image), level);
      EXPECT_NE(image.Picture()->Graphic()->Image(), symbol);
    }
  }
  // A picture that is no symbol has no level.
  EXPECT_FALSE(ReadQrLevel(QImage(30, 30, QImage::Format_RGB32)));
}

TEST(QrCode, ContentThatCannotBeACodeOrCannotBeStoredChangesNothing) {
  TImage image(nullptr);
  ASSERT_TRUE(MakeQrCode(image, QStringLiteral("short"), TQrLevel::H).Ok());
  const QByteArray before = image.Picture()->WriteData();
  const QString tooLongAtH(1500, QChar(u'x'));  // fits at L, not at H
  struct Case {
    const char* What;
    std::function<TOutcome()> Run;
    QString Says;
  } cases[] = {
      {"replace, too long for H", [&] { return ReplaceQrContent(image, tooLongAtH); }, QStringLiteral("レベルH")},
      {"make, too long", [&] { return MakeQrCode(image, QString(3000, u'x'), TQrLevel::L); },
       QStringLiteral("長すぎる")},
      {"make, empty", [&] { return MakeQrCode(image, QStringLiteral("  "), TQrLevel::M); },
       QStringLiteral("入力されていません")},
      {"make, no Shift-JIS form", [&] { return MakeQrCode(image, QStringLiteral("a😀b"), TQrLevel::M); },
       QStringLiteral("「😀」")},
  };
  for (const Case& c : cases) {
    const TOutcome made = c.Run();
    EXPECT_EQ(made.Kind(), TOutcome::TKind::Refused) << c.What;
    const QString& reason = made.Reason();
    EXPECT_TRUE(reason.contains(c.Says)) << c.What << ": " << reason.toStdString();
    EXPECT_EQ(image.Picture()->WriteData(), before) << c.What;
    EXPECT_EQ(image.Hint(), QStringLiteral("short")) << c.What;
  }
  TImage plain(nullptr);
  EXPECT_TRUE(ReplaceQrContent(plain, tooLongAtH).Ok());  // a plain picture reads as M, which holds it
  EXPECT_EQ(QrLevelOf(plain), TQrLevel::M);
}

}  // namespace
