// The preview window on its own: what lies on each card panel, in which
// order, and at which scale.
#include <gtest/gtest.h>

#include "Bitmap.h"
#include "DocumentPageSetup.h"
#include "Image.h"
#include "ImagePrintDevice.h"
#include "Labelex.h"
#include "Picture.h"
#include "PixelProbe.h"
#include "PreviewForm.h"
#include "Qushape.h"
#include "WinControl.h"
#include "Worksheet.h"

TEST(PreviewFormTest, EachCardHasItsOutlineUnderTheBackgroundUnderTheScaledObjects) {
  TWorksheet sheet;
  DocumentPageSetup setup;
  setup.Retu = 1;
  setup.Dann = 3;
  sheet.BuildWorksheet(setup.SheetWidthPx, setup.SheetHeightPx);
  sheet.BGImage->Picture()->SetGraphic(TBitmap::FromImage(PixelProbe::Blank(8, 8, Qt::yellow)));
  auto* shape = new TQuShape(sheet.DrawPanel);
  shape->SetParent(sheet.DrawPanel);
  for (auto set : {&TQuShape::SetLeft, &TQuShape::SetTop, &TQuShape::SetWidth, &TQuShape::SetHeight})
    (shape->*set)(50);
  auto* label = new TLabelEx(sheet.DrawPanel);
  label->SetParent(sheet.DrawPanel);
  label->SetCaption(QStringLiteral("名刺"));
  label->SetGap(5);
  sheet.ObjectList = {shape, label};

  ImagePrintDevice printer({4800, 6814, 203, 288, 4960, 7016, 94, 100});
  TPreviewHooks hooks;
  hooks.Device = [&] { return &printer; };
  hooks.Document = [&] { return TPreviewDocument{&setup, sheet.BGImage, sheet.ObjectList}; };
  TPreviewForm form(hooks);
  form.FormActivate();

  ASSERT_EQ(form.CardPanels().size(), 3u);
  const TImage* previousBackground = nullptr;
  for (const TPanel* card : form.CardPanels()) {
    ASSERT_EQ(card->ControlCount(), 4);
    const auto* outline = dynamic_cast<const TQuShape*>(card->Controls()[0]);
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->Pen()->Style(), psDot);
    EXPECT_EQ(QRect(outline->Left(), outline->Top(), outline->Width() + 1, outline->Height() + 1), card->ClientRect());
    const auto* background = dynamic_cast<const TImage*>(card->Controls()[1]);
    ASSERT_TRUE(background && background->Picture()->Graphic());
    EXPECT_EQ(background->BoundsRect(), card->ClientRect());
    EXPECT_NE(background, previousBackground);  // a copy of its own on every card
    previousBackground = background;
    const auto* scaled = dynamic_cast<const TQuShape*>(card->Controls()[2]);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(QRect(scaled->Left(), scaled->Top(), scaled->Width(), scaled->Height()), QRect(20, 20, 20, 20));
    const auto* text = dynamic_cast<const TLabelEx*>(card->Controls()[3]);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Gap(), 2);
  }
  EXPECT_EQ(shape->Width(), 50);  // the worksheet itself is not touched
}
