// Cut, copy and paste through the main window and Qt's clipboard: each kind
// of card object within one window and into a second one, text and pictures
// from other programs, paste while typing in place, and clipboard data under
// our format that is damaged or not ours.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ClassRegistry.h"
#include "Clipboard.h"
#include "DocumentTestSupport.h"
#include "Memo.h"
#include "PanelView.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "Unit3.h"

using namespace doctest;

namespace {

class CardWindow : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}
  template <class T>
  T* Add(int left, int top, int width, int height) {
    auto* c = new T(DrawPanel);
    c->SetParent(DrawPanel);
    c->SetCursor(crHandPoint);
    c->SetBounds(left, top, width, height);
    AttachObject(c);
    return c;
  }
  void Mouse(QEvent::Type type, QPoint p) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), DrawView->mapToGlobal(QPointF(p)), Qt::LeftButton, held, {});
    QApplication::sendEvent(DrawView, &e);
  }
  void Click(QPoint p) {
    Mouse(QEvent::MouseButtonPress, p);
    Mouse(QEvent::MouseButtonRelease, p);
  }
};

QPoint Pos(const TControl* c) {
  if (auto* s = dynamic_cast<const TQuShape*>(c)) return {s->Left(), s->Top()};
  return c->BoundsRect().topLeft();
}

void PlaceAt(TControl* c, QPoint p) {
  if (auto* s = dynamic_cast<TQuShape*>(c)) s->SetLeft(p.x()), s->SetTop(p.y());
  else c->SetBounds(p.x(), p.y(), c->Width(), c->Height());
}

// The start of a PNG file whose header claims width x height pixels, cut
// off where its pixel data would begin.
QByteArray PngHeaderOnly(quint32 width, quint32 height) {
  char ihdr[17] = "IHDR";
  qToBigEndian(width, ihdr + 4), qToBigEndian(height, ihdr + 8);
  ihdr[12] = 8, ihdr[13] = 2;  // 8-bit RGB
  quint32 crc = 0xFFFFFFFFu;
  for (char ch : ihdr) {
    crc ^= uchar(ch);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  char tail[4];
  qToBigEndian(~crc, tail);
  return QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\x0d", 12) + QByteArray(ihdr, 17) + QByteArray(tail, 4) +
         QByteArray("\x00\x00\x10\x00IDAT", 8);
}

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Clipboard()->clear();
  }
  std::unique_ptr<CardWindow> OpenCard() {
    auto form = std::make_unique<CardWindow>(nullptr, Folder.path());
    form->ResetWorksheet();
    form->DocumentOpened(form->DefaultFileName);
    form->Modified = false;
    return form;
  }
  static QClipboard* Clipboard() { return QGuiApplication::clipboard(); }
  static void Offer(const QString& format, const QByteArray& bytes) {
    auto* data = new QMimeData;
    data->setData(format, bytes);
    Clipboard()->setMimeData(data);
  }
  // The one message asked since the last check; empty when none or several.
  QString TakeMessage() {
    const auto calls = Scripted.Ui.Calls();
    Scripted.Ui.Clear();
    return calls.size() == 1 ? calls[0].Text : QString();
  }

  QTemporaryDir Folder;
  ScopedScriptedUI Scripted;
};

}  // namespace

TEST_F(ClipboardTest, EachKindOfObjectPastesWholeInTheSameAndInAnotherWindow) {
  const QImage pattern = Pattern(30, 20, Qt::yellow, Qt::blue);
  const std::pair<const char*, std::function<TControl*(CardWindow&)>> cases[] = {
      {"filled dotted rectangle",
       [](CardWindow& f) {
         auto* s = f.Add<TQuShape>(0, 0, 0, 0);
         s->SetLeft(40), s->SetTop(30), s->SetWidth(60), s->SetHeight(30), s->Pen()->SetStyle(psDot);
         s->Brush()->SetStyle(bsSolid), s->Brush()->SetColor(clRed), s->Pen()->SetWidth(3);
         return s;
       }},
      {"text with gap",
       [](CardWindow& f) {
         auto* l = f.Add<TLabelEx>(50, 60, 10, 10);
         l->Font()->SetName(QStringLiteral("ＭＳ Ｐ明朝")), l->Font()->SetSize(16), l->Font()->SetColor(clNavy);
         l->SetGap(3), l->SetTransparent(true), l->SetCaption(QStringLiteral("山田\r\n太郎"));
         return l;
       }},
      {"bitmap picture",
       [&](CardWindow& f) {
         auto* i = f.Add<TImage>(100, 40, 60, 40);
         i->Picture()->SetGraphic(Bitmap(pattern)), i->SetStretch(true);
         return i;
       }},
      {"catch phrase (JPEG)",
       [&](CardWindow& f) {
         auto* i = f.Add<TImage>(200, 100, 90, 60);
         i->Picture()->SetGraphic(Jpeg(pattern)), i->SetStretch(true), i->SetTag(1);
         return i;
       }},
  };
  for (const auto& [name, make] : cases) {
    SCOPED_TRACE(name);
    auto form = OpenCard();
    TControl* original = make(*form);
    form->Click(original->BoundsRect().center());
    ASSERT_EQ(form->SelectedObject, original);
    form->EditCopy->trigger();
    const QByteArray stream = ComponentStream::WriteComponent(*original);

    // Other programs get a text's caption and a picture's image as well.
    const QMimeData* data = Clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(QLatin1String(kComponentMimeType)));
    auto* label = dynamic_cast<TLabelEx*>(original);
    EXPECT_EQ(data->text(), label ? QString(label->Caption()).replace("\r\n", "\n") : QString());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(),
              dynamic_cast<TImage*>(original) ? pattern.size() : QSize(0, 0));

    // Within the window: a second, identical object at (0, 0), not selected.
    ASSERT_TRUE(form->EditPaste->isEnabled());
    form->EditPaste->trigger();
    ASSERT_EQ(form->ObjectList.size(), 2u);
    TControl* pasted = form->ObjectList.back();
    EXPECT_EQ(Pos(pasted), QPoint(0, 0));
    EXPECT_FALSE(form->HasSelection);
    EXPECT_TRUE(form->Modified);
    PlaceAt(pasted, Pos(original));
    EXPECT_EQ(ComponentStream::WriteComponent(*pasted), stream);

    // Another copy of the program gets only the bytes of each format.
    auto* carried = new QMimeData;
    for (const QString& f : data->formats()) carried->setData(f, data->data(f));
    Clipboard()->setMimeData(carried);
    auto other = OpenCard();
    other->EditPaste->trigger();
    ASSERT_EQ(other->ObjectList.size(), 1u);
    PlaceAt(other->ObjectList[0], Pos(original));
    EXPECT_EQ(ComponentStream::WriteComponent(*other->ObjectList[0]), stream);
    EXPECT_TRUE(TakeMessage().isEmpty());
  }
}

TEST_F(ClipboardTest, CutRemovesTheObjectAndPasteBringsItBackAtTheCorner) {
  auto form = OpenCard();
  auto* shape = form->Add<TQuShape>(0, 0, 0, 0);
  shape->SetLeft(40), shape->SetTop(30), shape->SetWidth(50), shape->SetHeight(20);
  const QByteArray before = ComponentStream::WriteComponent(*shape);
  form->Click({60, 40});
  form->EditCut->trigger();
  EXPECT_TRUE(form->ObjectList.empty());
  EXPECT_EQ(form->DrawPanel->ControlCount(), 2);  // background and grid only
  EXPECT_FALSE(form->EditCut->isEnabled());

  form->PasteButton->click();
  ASSERT_EQ(form->ObjectList.size(), 1u);
  EXPECT_EQ(Pos(form->ObjectList[0]), QPoint(0, 0));
  PlaceAt(form->ObjectList[0], {40, 30});
  EXPECT_EQ(ComponentStream::WriteComponent(*form->ObjectList[0]), before);

  // Emptied by another program: Paste is off at once.
  Clipboard()->clear();
  EXPECT_FALSE(form->EditPaste->isEnabled());
}

TEST_F(ClipboardTest, WhatOtherProgramsOfferBecomesATextOrAPictureOrIsRefused) {
  const QImage pattern = Pattern(40, 24, Qt::white, Qt::red);
  const QByteArray bmp = TBitmap::FromImage(pattern)->Bytes();
  QByteArray png, hugeBmp = TBitmap::FromImage(Pattern(2, 2, Qt::black, Qt::black))->Bytes();
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  pattern.save(&buffer, "PNG");
  qToLittleEndian<qint32>(40000, hugeBmp.data() + 18), qToLittleEndian<qint32>(40000, hugeBmp.data() + 22);

  auto isText = [](CardWindow& f, TControl* c) {
    auto* label = dynamic_cast<TLabelEx*>(c);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), QStringLiteral("一行目\r\n二行目\r\n三行目"));
    EXPECT_TRUE(*label->Font() == *f.DrawPanel->Font());  // the window font
    EXPECT_EQ(label->Gap(), 0);
    EXPECT_TRUE(label->Transparent());
    EXPECT_GT(label->Width(), 1);
  };
  auto isPicture = [&](const QByteArray* bytes) {
    return [&pattern, bytes](CardWindow&, TControl* c) {
      auto* image = dynamic_cast<TImage*>(c);
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->BoundsRect().size(), pattern.size());
      EXPECT_EQ(image->Tag(), 0);
      EXPECT_TRUE(image->Stretch());
      const TGraphic* graphic = image->Picture()->Graphic();
      EXPECT_EQ(graphic->GraphicClassName(), "TBitmap");
      EXPECT_EQ(graphic->Image().pixelColor(20, 12), QColor(Qt::red));
      if (bytes) {
        EXPECT_EQ(graphic->Bytes(), *bytes);  // a BMP file is kept as given
      }
    };
  };
  const QString error = QStringLiteral("Clipboard Error");
  struct Case {
    const char* Name;
    std::function<void()> Offer;
    QString Message;  // empty when an object is made
    std::function<void(CardWindow&, TControl*)> Check;
  };
  const Case cases[] = {
      {"text", [] { Clipboard()->setText(QStringLiteral("一行目\n二行目\r三行目")); }, {}, isText},
      {"image", [&] { Clipboard()->setImage(pattern); }, {}, isPicture(nullptr)},
      {"PNG", [&] { Offer(QStringLiteral("image/png"), png); }, {}, isPicture(nullptr)},
      {"BMP", [&] { Offer(QStringLiteral("image/bmp"), bmp); }, {}, isPicture(&bmp)},
      {"nothing", [] { Clipboard()->clear(); }, error, {}},
      {"another format", [] { Offer(QStringLiteral("application/x-other"), "?"); }, error, {}},
      {"empty text", [] { Clipboard()->setText(QString()); }, error, {}},
      {"damaged PNG", [] { Offer(QStringLiteral("image/png"), "not a picture"); }, error, {}},
      {"huge BMP", [&] { Offer(QStringLiteral("image/bmp"), hugeBmp); }, LoadStr(1452), {}},
      {"huge PNG", [] { Offer(QStringLiteral("image/png"), PngHeaderOnly(40000, 40000)); }, LoadStr(1452), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto form = OpenCard();
    c.Offer();
    form->EditPasteClick();
    EXPECT_EQ(TakeMessage(), c.Message);
    EXPECT_EQ(form->ObjectList.size(), c.Message.isEmpty() ? 1u : 0u);
    EXPECT_EQ(form->DrawPanel->ControlCount(), 2 + int(form->ObjectList.size()));
    EXPECT_EQ(form->Modified, c.Message.isEmpty());
    if (c.Check && !form->ObjectList.empty()) {
      EXPECT_EQ(Pos(form->ObjectList[0]), QPoint(0, 0));
      c.Check(*form, form->ObjectList[0]);
    }
  }
}

TEST_F(ClipboardTest, APictureBeyondQtsOwnDecodingLimitButWithinOursPastes) {
  // 33.6 million pixels decode to more than the 128 MB Qt's readers allow by default.
  const int side = 5800;
  QImage photo(side, side, QImage::Format_RGB888);
  photo.fill(Qt::blue);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(photo.save(&buffer, "PNG", 90));
  photo = QImage();
  auto form = OpenCard();
  Offer(QStringLiteral("image/png"), png);
  form->EditPasteClick();
  EXPECT_EQ(TakeMessage(), QString());
  ASSERT_EQ(form->ObjectList.size(), 1u);
  EXPECT_EQ(form->ObjectList[0]->BoundsRect(), QRect(0, 0, side, side));
}

TEST_F(ClipboardTest, WhileTypingInPlaceTextIsPastedCopiedAndCutInTheMemo) {
  auto form = OpenCard();
  auto* label = form->Add<TLabelEx>(20, 20, 10, 10);
  label->SetCaption(QStringLiteral("前後"));
  form->LabelDblClick(label);
  ASSERT_TRUE(form->TextEditing);
  QPlainTextEdit* memo = form->EditMemo->Editor();
  QTextCursor cursor = memo->textCursor();
  cursor.setPosition(1);
  memo->setTextCursor(cursor);

  Clipboard()->setText(QStringLiteral("長い挿入文字列"));
  const int narrow = form->EditMemo->Width();
  form->EditPaste->trigger();
  EXPECT_EQ(form->EditMemo->Text(), QStringLiteral("前長い挿入文字列後"));
  EXPECT_GT(form->EditMemo->Width(), narrow);  // the memo shows its whole text
  EXPECT_EQ(form->ObjectList.size(), 1u);

  cursor.setPosition(1);
  cursor.setPosition(3, QTextCursor::KeepAnchor);
  memo->setTextCursor(cursor);
  form->EditCut->trigger();
  EXPECT_EQ(Clipboard()->text(), QStringLiteral("長い"));
  EXPECT_EQ(form->EditMemo->Text(), QStringLiteral("前挿入文字列後"));

  form->Click({300, 200});  // typing ends
  EXPECT_EQ(label->Caption(), QStringLiteral("前挿入文字列後"));
  EXPECT_EQ(form->ObjectList.size(), 1u);
}

// Anything may arrive under our format: each damaged or foreign stream is
// refused with its message, and nothing is added.
TEST_F(ClipboardTest, DamagedOrForeignStreamsAreRefusedWhole) {
  // Streamable classes other than card objects must not be pasted either.
  ClassRegistry::RegisterClass<TGridShape>();
  ClassRegistry::RegisterClass<TColorDialog>();
  auto form = OpenCard();
  TQuShape shape(nullptr);
  TLabelEx label(nullptr);
  TImage picture(nullptr);
  label.SetCaption(QStringLiteral("テキスト"));
  picture.Picture()->SetGraphic(Bitmap(Pattern(8, 8, Qt::green, Qt::blue)));
  std::vector<std::pair<QByteArray, int>> cases;
  for (TControl* c : std::initializer_list<TControl*>{&shape, &label, &picture}) {
    c->SetCursor(crHandPoint);
    const QByteArray whole = ComponentStream::WriteComponent(*c);
    for (qsizetype n = 0; n < whole.size(); ++n) cases.push_back({whole.left(n), 1450});
    cases.push_back({whole + "x", 1450});
    QByteArray badType = whole;
    badType[badType.indexOf("Cursor") + 6] = char(0x42);  // no such value type
    cases.push_back({badType, 1450});
  }
  QByteArray hugePicture = ComponentStream::WriteComponent(picture);
  qToLittleEndian<qint32>(40000, hugePicture.data() + hugePicture.indexOf("BM") + 18);
  cases.push_back({hugePicture, 1450});
  cases.push_back({ComponentStream::WriteComponent(*form->GridShape), 1451});
  cases.push_back({ComponentStream::WriteComponent(*form->ColorDialog), 1451});
  cases.push_back({QByteArray("TPF0\x07TButton\x00\x00\x00", 15), 1451});
  cases.push_back({QByteArray("TPF0\x09TLabelEx", 13), 1450});

  for (const auto& [bytes, message] : cases) {
    SCOPED_TRACE(bytes.toHex().left(80).toStdString());
    Offer(QLatin1String(kComponentMimeType), bytes);
    form->EditPasteClick();
    EXPECT_EQ(TakeMessage(), LoadStr(message));
    EXPECT_TRUE(form->ObjectList.empty());
    EXPECT_EQ(form->DrawPanel->ControlCount(), 2);
    EXPECT_FALSE(form->Modified);
  }
}
