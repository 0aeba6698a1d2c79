// TForm2: placing a picture or a catch phrase with its tool, replacing a
// picture's graphic, scaling it with the picture-size dialog, and the wiring
// of the picture, background and grid commands.
#include <QAction>
#include <QDialog>

#include <memory>

#include "GridSettingDlg.h"
#include "Graphic.h"
#include "Image.h"
#include "ImageReductionDlg.h"
#include "PictureDialog.h"
#include "PictureLoading.h"
#include "Picture.h"
#include "SpeedButton.h"
#include "Unit2.h"
#include "UserInterface.h"
#include "WinControl.h"

namespace {

// A catch phrase (Tag 1) opens among the phrases, any other picture where the
// last picture came from.
TPictureUse UseOfTag(int tag) { return tag == 1 ? TPictureUse::Phrase : TPictureUse::Picture; }

}  // namespace

void TForm2::WirePictureCommands() {
  connect(ImageChange, &QAction::triggered, this, [this] { ImageChangeClick(); });
  connect(ImageReduction, &QAction::triggered, this, [this] { ImageReductionClick(); });
  for (QAction* a : {OtherBGImage, BGImageSetting}) connect(a, &QAction::triggered, this, [this] { BGImageSettingClick(); });
  BGImageButton->OnClick = [this] { BGImageSettingClick(); };
  for (QAction* a : {OtherBGImageClear, BGImageClear})
    connect(a, &QAction::triggered, this, [this] { BGImageClearClick(); });
  GridButton->OnClick = [this] { GridButtonClick(); };
  for (QAction* a : {BGGrid, GridSetting}) connect(a, &QAction::triggered, this, [this] { GridSettingClick(); });
  RunImageReductionDialog = [](TImageReductionDlg& dlg) { return dlg.exec() == QDialog::Accepted; };
  RunGridSettingDialog = [](TGridSettingDlg& dlg) { return dlg.exec() == QDialog::Accepted; };
}

void TForm2::InsertPicture(int kind) {
  if (!DrawPanel) return;
  const bool phrase = kind == 1;
  const auto path = UI().OpenPictureName(PictureDialogRequest(UseOfTag(kind), phrase ? PhraseFolder : PictureFolder));
  if (!path) return;

  // Load first: a file that is not a usable picture leaves no object behind.
  std::unique_ptr<TGraphic> graphic = LoadPictureOrSay(*path);
  if (!graphic) return;

  auto* image = new TImage(DrawPanel);
  image->SetParent(DrawPanel);
  image->SetCursor(crHandPoint);
  image->Picture()->SetGraphic(std::move(graphic));
  image->SetAutoSize(true);  // takes the picture's natural size
  image->SetAutoSize(false);
  image->SetStretch(true);
  image->SetBounds(DownX, DownY, image->Width(), image->Height());
  image->SetTag(kind);
  AttachObject(image);
  CurImage = image;
  MarkModified();
  if (!phrase) PictureFolder = FolderOf(*path);
}

void TForm2::ImageChangeClick() {
  auto* image = dynamic_cast<TImage*>(SelectedObject);
  if (!image || !DrawPanel || !DrawPanel->ContainsControl(image)) return;
  CurImage = image;
  const int tag = image->Tag();
  const auto path =
      UI().OpenPictureName(PictureDialogRequest(UseOfTag(tag), tag == 1 ? PhraseFolder : PictureFolder));
  if (!path) return;
  // The old graphic stays unless the new one can be used.
  std::unique_ptr<TGraphic> graphic = LoadPictureOrSay(*path);
  if (!graphic) return;

  // The same object takes the new graphic, so it keeps its place in the
  // stacking order; its size becomes the new graphic's.
  image->Picture()->SetGraphic(std::move(graphic));
  image->SetAutoSize(true);
  image->SetAutoSize(false);
  image->SetStretch(true);
  MarkModified();
  if (tag == 0) PictureFolder = FolderOf(*path);
  if (HasSelection) Deselect();
  SelectObject(image, image->Top(), image->Width(), image->Height(), image->Left());
}

void TForm2::ImageReductionClick() {
  TImage* image = CurImage;
  if (!image || !DrawPanel || !DrawPanel->ContainsControl(image)) return;
  TImageReductionDlg dlg(this);
  dlg.HandIn(image->Picture()->Graphic(), image->Width(), image->Height(),
             UnitFromFlags(UnitIsPixel, UnitIsMm, UnitIsInch), KeepAspect);
  if (!RunImageReductionDialog(dlg)) return;
  // The picture may have gone while the dialog was open.
  if (!DrawPanel || !DrawPanel->ContainsControl(image)) return;

  UnitToFlags(dlg.Unit(), UnitIsPixel, UnitIsMm, UnitIsInch);
  KeepAspect = dlg.KeepAspect();
  if (dlg.WidthPx() == image->Width() && dlg.HeightPx() == image->Height()) return;
  image->SetBounds(image->Left(), image->Top(), dlg.WidthPx(), dlg.HeightPx());
  if (HasSelection) Deselect();
  SelectObject(image, image->Top(), image->Width(), image->Height(), image->Left());
  MarkModified();
}
