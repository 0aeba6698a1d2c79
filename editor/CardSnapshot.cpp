#include "CardSnapshot.h"

#include <QHash>
#include <QSet>

#include <exception>
#include <unordered_set>

#include "ColorDialog.h"
#include "ComponentStream.h"
#include "Graphic.h"
#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "Qushape.h"
#include "Picture.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

using Object = CardSnapshot::Object;

bool SameBytes(const QByteArray& a, const QByteArray& b) {
  return a.constData() == b.constData() && a.size() == b.size();
}

bool SamePicture(const TGraphic* a, const TGraphic* b) {
  if (!a || !b) return a == b;
  return SameBytes(a->Bytes(), b->Bytes()) && a->GraphicClassName() == b->GraphicClassName();
}

const TGraphic* PictureOf(const TControl* c) {
  auto* image = dynamic_cast<const TImage*>(c);
  return image ? image->Picture()->Graphic() : nullptr;
}

// The snapshot's own graphic over the worksheet's bytes: it shares them but
// not the decoded pixels, so a history does not keep replaced pictures
// decoded.
std::shared_ptr<const TGraphic> KeptPicture(const TGraphic* live, std::initializer_list<const Object*> candidates) {
  if (!live) return nullptr;
  for (const Object* c : candidates)
    if (c && c->Picture && SameBytes(c->Picture->Bytes(), live->Bytes())) return c->Picture;
  QByteArray bytes = live->Bytes();
  // Bytes that only point into someone else's buffer must not outlive it.
  if (!bytes.data_ptr().isMutable()) bytes = QByteArray(bytes.constData(), bytes.size());
  std::unique_ptr<TGraphic> own;
  try {
    own = TGraphic::FromClassName(live->GraphicClassName(), bytes);
  } catch (const std::exception&) {
  }
  if (!own) own = live->Clone();
  return std::shared_ptr<const TGraphic>(std::move(own));
}

// The previous snapshot's streams, looked up by content once an object is
// not found where the usual changes would put it.
class EarlierStreams {
 public:
  explicit EarlierStreams(const CardSnapshot* previous) : FPrevious(previous) {}
  const QByteArray* Find(const QByteArray& stream) {
    if (!FPrevious) return nullptr;
    if (!FFilled) {
      for (const Object& o : FPrevious->Objects) FStreams.insert(o.Stream);
      FFilled = true;
    }
    auto it = FStreams.constFind(stream);
    return it == FStreams.cend() ? nullptr : &*it;
  }

 private:
  const CardSnapshot* FPrevious;
  QSet<QByteArray> FStreams;
  bool FFilled = false;
};

Object TakeObject(const TControl& c, std::initializer_list<const Object*> candidates, EarlierStreams* earlier) {
  Object o;
  o.Stream = ComponentStream::WriteComponentWithoutBinary(c);
  bool found = false;
  for (const Object* prev : candidates) {
    if (prev && prev->Stream == o.Stream) {
      o.Stream = prev->Stream;
      found = true;
      break;
    }
  }
  if (!found && earlier)
    if (const QByteArray* same = earlier->Find(o.Stream)) o.Stream = *same;
  o.Picture = KeptPicture(PictureOf(&c), candidates);
  return o;
}

const Object* At(const CardSnapshot* s, size_t i, ptrdiff_t offset) {
  if (!s) return nullptr;
  const ptrdiff_t j = ptrdiff_t(i) + offset;
  return j >= 0 && size_t(j) < s->Objects.size() ? &s->Objects[size_t(j)] : nullptr;
}

// A card object is one of exactly three classes, whatever the class registry
// holds.
std::unique_ptr<TControl> NewCardObject(const QByteArray& className, TPanel* panel) {
  if (className == TQuShape::StaticClassInfo().ClassName()) return std::make_unique<TQuShape>(panel);
  if (className == TLabelEx::StaticClassInfo().ClassName()) return std::make_unique<TLabelEx>(panel);
  if (className == TImage::StaticClassInfo().ClassName()) return std::make_unique<TImage>(panel);
  return nullptr;
}

// Leaves the panel's view alone while a whole card is replaced and tells it
// once afterwards, rather than once for each of a thousand objects.
class QuietPanel {
 public:
  explicit QuietPanel(TWinControl* panel)
      : FPanel(panel), FInvalidate(std::move(panel->OnInvalidate)), FChanged(std::move(panel->OnChildrenChanged)) {
    panel->OnInvalidate = nullptr;
    panel->OnChildrenChanged = nullptr;
  }
  ~QuietPanel() {
    FPanel->OnInvalidate = std::move(FInvalidate);
    FPanel->OnChildrenChanged = std::move(FChanged);
    FPanel->ChildrenChanged();
    FPanel->Invalidate();
  }
  QuietPanel(const QuietPanel&) = delete;
  QuietPanel& operator=(const QuietPanel&) = delete;

 private:
  TWinControl* FPanel;
  std::function<void(const QRect&)> FInvalidate;
  std::function<void()> FChanged;
};

}  // namespace

CardSnapshot TakeCardSnapshot(const TWorksheet& sheet, const CardSnapshot* previous) {
  CardSnapshot s;
  if (!sheet.DrawPanel) return s;
  if (sheet.BGImage) s.Background = TakeObject(*sheet.BGImage, {previous ? &previous->Background : nullptr}, nullptr);
  EarlierStreams earlier(previous);
  s.Objects.reserve(sheet.ObjectList.size());
  // An object inserted, deleted or moved to the front shifts the others by
  // one place; unchanged objects are mostly found at the same place or one
  // over, the rest by content.
  const ptrdiff_t shift = previous ? ptrdiff_t(previous->Objects.size()) - ptrdiff_t(sheet.ObjectList.size()) : 0;
  for (size_t i = 0; i < sheet.ObjectList.size(); ++i) {
    const TControl* c = sheet.ObjectList[i];
    if (!c) continue;
    s.Objects.push_back(
        TakeObject(*c, {At(previous, i, 0), At(previous, i, shift), At(previous, i, 1), At(previous, i, -1)}, &earlier));
  }
  if (sheet.GridShape) s.GridWidth = sheet.GridShape->GridWidth();
  if (sheet.ColorDialog) {
    s.ColorDialog = ComponentStream::WriteComponent(*sheet.ColorDialog);
    if (previous && previous->ColorDialog == s.ColorDialog) s.ColorDialog = previous->ColorDialog;
  }
  return s;
}

int RestoreCardSnapshot(const CardSnapshot& snapshot, TWorksheet& sheet, bool withSheetSettings,
                        const std::function<void(TControl*)>& attach) {
  TPanel* panel = sheet.DrawPanel;
  if (!panel) return 0;

  // Pictures the worksheet shows already are taken with their decoded
  // pixels, so nothing is decoded again.
  QHash<const char*, const TGraphic*> shown;
  auto note = [&shown](const TControl* c) {
    if (const TGraphic* g = PictureOf(c)) shown.insert(g->Bytes().constData(), g);
  };
  note(sheet.BGImage);
  for (const TControl* c : sheet.ObjectList) note(c);
  auto graphicFor = [&shown](const Object& o) -> std::unique_ptr<TGraphic> {
    if (!o.Picture) return nullptr;
    const TGraphic* live = shown.value(o.Picture->Bytes().constData());
    if (live && SameBytes(live->Bytes(), o.Picture->Bytes()) &&
        live->GraphicClassName() == o.Picture->GraphicClassName())
      return live->Clone();
    return o.Picture->Clone();
  };
  // Objects standing on the worksheet just as the snapshot has them stay
  // where they are: undoing one move rebuilds one object, not the card.
  QHash<QByteArray, std::vector<TControl*>> standing;
  for (TControl* c : sheet.ObjectList)
    if (c && c->Parent() == panel) standing[ComponentStream::WriteComponentWithoutBinary(*c)].push_back(c);
  std::vector<TControl*> kept(snapshot.Objects.size(), nullptr);
  std::unordered_set<const TControl*> keeping;
  for (size_t i = 0; i < snapshot.Objects.size(); ++i) {
    auto it = standing.find(snapshot.Objects[i].Stream);
    if (it == standing.end()) continue;
    auto& candidates = it.value();
    for (auto c = candidates.begin(); c != candidates.end(); ++c) {
      if (!SamePicture(PictureOf(*c), snapshot.Objects[i].Picture.get())) continue;
      kept[i] = *c;
      keeping.insert(*c);
      candidates.erase(c);
      break;
    }
  }

  std::unique_ptr<TGraphic> background = graphicFor(snapshot.Background);
  std::vector<std::unique_ptr<TGraphic>> pictures(snapshot.Objects.size());
  for (size_t i = 0; i < snapshot.Objects.size(); ++i)
    if (!kept[i]) pictures[i] = graphicFor(snapshot.Objects[i]);

  QuietPanel quiet(panel);
  std::vector<TControl*> doomed;
  for (TControl* c : panel->Controls())
    if (c != sheet.GridShape && !keeping.count(c)) doomed.push_back(c);
  sheet.ObjectList.clear();
  sheet.BGImage = nullptr;
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) delete *it;

  int failed = 0;
  // A fresh control: the stream holds every property that differs from one.
  auto* bg = new TImage(panel);
  bg->SetParent(panel);
  bool read = false;
  if (!snapshot.Background.Stream.isEmpty()) {
    try {
      ComponentStream::ReadComponent(snapshot.Background.Stream, *bg);
      read = true;
    } catch (const std::exception&) {
      ++failed;
    }
  }
  if (!read) {
    // None taken: an empty background, as a new worksheet has.
    bg->SetBounds(0, 0, panel->Width(), panel->Height());
    bg->SetEnabled(false);
    bg->SetStretch(true);
    bg->SetVisible(false);
  }
  if (background) bg->Picture()->SetGraphic(std::move(background));
  bg->SendToBack();
  sheet.BGImage = bg;

  for (size_t i = 0; i < snapshot.Objects.size(); ++i) {
    if (kept[i]) {
      sheet.ObjectList.push_back(kept[i]);
      continue;
    }
    std::unique_ptr<TControl> made;
    try {
      made = NewCardObject(ComponentStream::PeekClassName(snapshot.Objects[i].Stream), panel);
      if (made) {
        made->SetParent(panel);
        ComponentStream::ReadComponent(snapshot.Objects[i].Stream, *made);
      }
    } catch (const std::exception&) {
      made.reset();
    }
    if (!made) {
      ++failed;
      continue;
    }
    TControl* control = made.release();
    if (auto* image = dynamic_cast<TImage*>(control); image && pictures[i])
      image->Picture()->SetGraphic(std::move(pictures[i]));
    if (attach)
      attach(control);
    else
      sheet.ObjectList.push_back(control);
  }

  // Background, grid, then the objects in the snapshot's order.
  for (size_t i = 0; i < sheet.ObjectList.size(); ++i) {
    const int place = int(i) + 2;
    TControl* c = sheet.ObjectList[i];
    if (place >= panel->ControlCount() || panel->Controls()[size_t(place)] != c) panel->SetChildOrder(c, place);
  }

  if (withSheetSettings) {
    if (sheet.GridShape && snapshot.GridWidth > 0) sheet.GridShape->SetGridWidth(snapshot.GridWidth);
    sheet.ResetColorDialog();
    if (!snapshot.ColorDialog.isEmpty()) {
      try {
        ComponentStream::ReadComponent(snapshot.ColorDialog, *sheet.ColorDialog);
      } catch (const std::exception&) {
        sheet.ResetColorDialog();
        ++failed;
      }
    }
  }
  return failed;
}
