// The wizard's preview of a template: half size, shapes halved by their own
// geometry, centred in the scroll box (or at 0 when larger), no grid, and
// quiet or loud failures as the file deserves.
#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "TemplatePreview.h"

namespace {

using namespace doctest;

const QSize kScrollBox(248, 161);

QByteArray CardOfSize(int widthPx, int heightPx) {
  Document doc;
  doc.Setup.SheetWidthPx = widthPx;
  doc.Setup.SheetHeightPx = heightPx;
  doc.Sheet.BuildWorksheet(widthPx, heightPx);
  doc.AddShape(qustRectangle, 10, 10, 20, 20);
  return doc.Bytes();
}

template <class T>
std::vector<T*> OfClass(const std::vector<TControl*>& objects) {
  std::vector<T*> found;
  for (TControl* c : objects)
    if (auto* t = dynamic_cast<T*>(c)) found.push_back(t);
  return found;
}

TEST(TemplatePreview, ACardIsHalvedCentredWhiteAndWithoutItsGrid) {
  Document doc;
  TQuShape* thick = doc.AddShape(qustRoundRect, 101, 7, 201, 60);
  thick->Pen()->SetWidth(3);
  TQuShape* thin = doc.AddShape(qustEllipse, 40, 40, 11, 9);
  TLabelEx* label = doc.AddLabel(QStringLiteral("名刺"), 200, 100);
  label->Font()->SetSize(20);
  doc.AddPicture(Bitmap(Pattern(40, 20, Qt::red, Qt::blue)), 300, 200, 80, 40);
  doc.Sheet.BGImage->Picture()->SetGraphic(Jpeg(Pattern(64, 32, Qt::white, Qt::green)));
  doc.Sheet.BGImage->Show();
  (void)thin;

  TTemplatePreview preview;
  ASSERT_EQ(preview.RenderBytes(doc.Bytes(), kScrollBox), TTemplatePreview::prShown);
  TPanel* panel = preview.PreviewPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(panel->Color(), TColor(0xFFFFFF));
  // 455 x 275 halved with the platform's rounding, then centred.
  EXPECT_EQ(panel->Width(), 228);
  EXPECT_EQ(panel->Height(), 138);
  EXPECT_EQ(panel->Left(), (248 - 228) / 2);
  EXPECT_EQ(panel->Top(), (161 - 138) / 2);
  for (TControl* c : panel->Controls()) EXPECT_EQ(dynamic_cast<TGridShape*>(c), nullptr);

  const auto shapes = OfClass<TQuShape>(preview.PreviewObjects());
  ASSERT_EQ(shapes.size(), 2u);
  // trunc(v x 50 / 100 + 0.5): 101 -> 51, 7 -> 4, 201 -> 101, 60 -> 30.
  EXPECT_EQ(shapes[0]->Left(), 51);
  EXPECT_EQ(shapes[0]->Top(), 4);
  EXPECT_EQ(shapes[0]->Width(), 101);
  EXPECT_EQ(shapes[0]->Height(), 30);
  EXPECT_EQ(shapes[0]->Pen()->Width(), 2);  // 3 shows as 2
  EXPECT_EQ(shapes[1]->Pen()->Width(), 1);  // 1 stays 1
  EXPECT_EQ(shapes[1]->Width(), 6);
  EXPECT_EQ(shapes[1]->Height(), 5);
  // The control around the shape follows its halved rectangle.
  EXPECT_EQ(shapes[0]->BoundsLeft(), 51 - 1);
  EXPECT_EQ(shapes[0]->BoundsWidth(), 101 + 2 + 1);

  const auto labels = OfClass<TLabelEx>(preview.PreviewObjects());
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0]->Font()->Size(), 10);
  EXPECT_EQ(labels[0]->Left(), 100);
  const auto images = OfClass<TImage>(preview.PreviewObjects());
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0]->BoundsRect(), QRect(150, 100, 40, 20));
  // The background picture lies on the panel, halved, but is no card object.
  const auto all = OfClass<TImage>(panel->Controls());
  ASSERT_EQ(all.size(), 2u);
  EXPECT_TRUE(all[0]->Picture()->Graphic());
  EXPECT_EQ(all[0]->BoundsRect(), QRect(0, 0, 228, 138));
}

TEST(TemplatePreview, LargerCardsStartAtTheScrollBoxEdge) {
  TTemplatePreview preview;
  // Wider than the box after halving: left 0; lower than it: centred.
  ASSERT_EQ(preview.RenderBytes(CardOfSize(1200, 300), kScrollBox), TTemplatePreview::prShown);
  EXPECT_EQ(preview.PreviewPanel()->BoundsRect(), QRect(0, (161 - 150) / 2, 600, 150));
  // A portrait card: centred across, top 0.
  ASSERT_EQ(preview.RenderBytes(CardOfSize(275, 455), kScrollBox), TTemplatePreview::prShown);
  EXPECT_EQ(preview.PreviewPanel()->BoundsRect(), QRect((248 - 138) / 2, 0, 138, 228));
  EXPECT_EQ(CentredInScrollBox(kScrollBox, QSize(248, 161)), QPoint(0, 0));
  EXPECT_EQ(CentredInScrollBox(kScrollBox, QSize(247, 160)), QPoint(0, 0));
  EXPECT_EQ(CentredInScrollBox(kScrollBox, QSize(245, 158)), QPoint(1, 1));
}

TEST(TemplatePreview, ScaleShapesRoundsInSinglePrecisionAndLeavesOthersAlone) {
  Document doc;
  TQuShape* s = doc.AddShape(qustRectangle, -3, 1, 0, 5);
  s->Pen()->SetWidth(4);
  TLabelEx* label = doc.AddLabel(QStringLiteral("x"), 30, 30);
  ScaleShapes(doc.Sheet.ObjectList, 50, 100);
  EXPECT_EQ(s->Left(), -1);  // trunc(-1.5 + 0.5)
  EXPECT_EQ(s->Top(), 1);    // trunc(0.5 + 0.5)
  EXPECT_EQ(s->Width(), 0);
  EXPECT_EQ(s->Height(), 3);
  EXPECT_EQ(s->Pen()->Width(), 2);
  EXPECT_EQ(label->BoundsRect(), QRect(30, 30, 120, 24));
  // Values a damaged template may hold do not overflow.
  s->SetLeft(2147483647);
  ScaleShapes(doc.Sheet.ObjectList, 50, 100);
  EXPECT_EQ(s->Left(), 1073741824);
}

TEST(TemplatePreview, EachRenderReplacesThePreviousPreview) {
  Document two;
  two.AddShape(qustRectangle, 0, 0, 5, 5);
  two.AddShape(qustRectangle, 0, 0, 5, 5);
  TTemplatePreview preview;
  ASSERT_EQ(preview.RenderBytes(two.Bytes(), kScrollBox), TTemplatePreview::prShown);
  EXPECT_EQ(preview.PreviewObjects().size(), 2u);
  ASSERT_EQ(preview.RenderBytes(Document().Bytes(), kScrollBox), TTemplatePreview::prShown);
  EXPECT_TRUE(preview.PreviewObjects().empty());
}

TEST(TemplatePreview, UnknownRecordsHideItQuietlyAndDamageIsReported) {
  TTemplatePreview preview;
  QByteArray unknown = Document().Bytes();
  unknown.append(Hex("06 00 00 00"));
  EXPECT_EQ(preview.RenderBytes(unknown, kScrollBox), TTemplatePreview::prHidden);
  EXPECT_EQ(preview.PreviewPanel(), nullptr);
  EXPECT_TRUE(preview.ErrorText().isEmpty());

  const QByteArray whole = CardOfSize(455, 275);
  EXPECT_EQ(preview.RenderBytes(whole.first(whole.size() - 3), kScrollBox), TTemplatePreview::prFailed);
  EXPECT_EQ(preview.PreviewPanel(), nullptr);
  EXPECT_FALSE(preview.ErrorText().isEmpty());
  EXPECT_EQ(preview.RenderBytes(whole.first(15), kScrollBox), TTemplatePreview::prFailed);

  QTemporaryDir dir;
  EXPECT_EQ(preview.Render(dir.filePath(QStringLiteral("gone.tpl")), kScrollBox), TTemplatePreview::prFailed);
  EXPECT_TRUE(preview.ErrorText().contains(QStringLiteral("gone.tpl")));
}

}  // namespace
