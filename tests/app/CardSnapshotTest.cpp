// Snapshots of a card: restored exactly as the document writes it, picture
// bytes shared rather than copied, and unchanged objects shared with the
// snapshot before.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "CardSnapshot.h"
#include "DocumentTestSupport.h"

namespace {

using namespace doctest;

struct Card : Document {
  Card() {
    AddShape(qustRectangle, 10, 10, 40, 30);
    AddLabel(QStringLiteral("名刺"), 200, 100);
    AddPicture(Jpeg(Pattern(40, 30, Qt::red, Qt::blue)), 300, 150, 40, 30);
    AddPicture(Bitmap(Pattern(20, 10, Qt::green, Qt::white)), 80, 200, 20, 10, 1);
    AddShape(qustEllipse, 100, 50, 40, 30)->Brush()->SetColor(clYellow);
    Sheet.BGImage->Picture()->SetGraphic(Jpeg(Pattern(160, 90, Qt::gray, Qt::white)));
    Sheet.BGImage->Show();
  }
  const QByteArray& PictureBytes(const TControl* c) const {
    return static_cast<const TImage*>(c)->Picture()->Graphic()->Bytes();
  }
};

// The streams of after that are not those of before (by their data).
int StreamsOfItsOwn(const CardSnapshot& after, const CardSnapshot& before) {
  std::set<const char*> shared;
  for (const auto& o : before.Objects) shared.insert(o.Stream.constData());
  int own = 0;
  for (const auto& o : after.Objects) own += shared.count(o.Stream.constData()) ? 0 : 1;
  return own;
}

}  // namespace

TEST(CardSnapshotTest, EachChangeIsRestoredExactlyAndOnlyChangedObjectsAreKeptAgain) {
  struct Case {
    const char* Name;
    std::function<void(Card&)> Change;
    int NewStreams;
    int Rebuilt;  // objects made anew when the card before is put back
  };
  const Case cases[] = {
      {"move", [](Card& c) { static_cast<TQuShape*>(c.Sheet.ObjectList[0])->SetLeft(70); }, 1, 1},
      {"delete", [](Card& c) { c.Sheet.RemoveObject(c.Sheet.ObjectList[1]); }, 0, 1},
      {"bring to front",
       [](Card& c) {
         TControl* first = c.Sheet.ObjectList.front();
         c.Sheet.ObjectList.erase(c.Sheet.ObjectList.begin());
         c.Sheet.ObjectList.push_back(first);
         first->BringToFront();
       },
       0, 0},
      {"add", [](Card& c) { c.AddShape(qustLinea, 5, 5, 50, 50); }, 1, 0},
      {"background hidden", [](Card& c) { c.Sheet.BGImage->Hide(); }, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Card card;
    const QByteArray before = card.Bytes();
    const CardSnapshot taken = TakeCardSnapshot(card.Sheet);
    // Pictures are the worksheet's very bytes, never copies.
    EXPECT_EQ(taken.Background.Picture->Bytes().constData(), card.PictureBytes(card.Sheet.BGImage).constData());
    EXPECT_EQ(taken.Objects[2].Picture->Bytes().constData(), card.PictureBytes(card.Sheet.ObjectList[2]).constData());

    c.Change(card);
    const QByteArray changed = card.Bytes();
    const CardSnapshot next = TakeCardSnapshot(card.Sheet, &taken);
    EXPECT_EQ(StreamsOfItsOwn(next, taken), c.NewStreams);

    // Objects that stand get a handler, which rebuilt ones lack.
    for (TControl* o : card.Sheet.ObjectList) o->OnMouseDown = [](TControl*, TMouseButton, TShiftState, int, int) {};
    EXPECT_EQ(RestoreCardSnapshot(taken, card.Sheet, false, {}), 0);
    EXPECT_EQ(card.Bytes(), before);
    EXPECT_EQ(std::count_if(card.Sheet.ObjectList.begin(), card.Sheet.ObjectList.end(),
                            [](TControl* o) { return !o->OnMouseDown; }),
              c.Rebuilt);
    ASSERT_EQ(card.Sheet.DrawPanel->ControlCount(), 2 + int(taken.Objects.size()));
    EXPECT_EQ(card.Sheet.DrawPanel->Controls()[0], card.Sheet.BGImage);
    EXPECT_EQ(card.PictureBytes(card.Sheet.ObjectList[2]).constData(), taken.Objects[2].Picture->Bytes().constData());

    RestoreCardSnapshot(next, card.Sheet, false, {});
    EXPECT_EQ(card.Bytes(), changed);
  }
}
