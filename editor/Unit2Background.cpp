// TForm2: choosing and clearing the background picture.
#include <memory>

#include "Graphic.h"
#include "Image.h"
#include "PictureDialog.h"
#include "PictureLoading.h"
#include "Picture.h"
#include "Unit2.h"
#include "UserInterface.h"
#include "WinControl.h"

void TForm2::BGImageSettingClick() {
  if (!WorksheetShown() || !BGImage || !DrawPanel->ContainsControl(BGImage)) return;
  const auto path = UI().OpenPictureName(PictureDialogRequest(TPictureUse::Background, BGImageFolder));
  if (!path) return;
  // A file that cannot be used leaves the background as it was.
  std::unique_ptr<TGraphic> graphic = LoadPictureOrSay(*path);
  if (!graphic) return;
  BGImage->Picture()->SetGraphic(std::move(graphic));
  BGImage->SetVisible(true);
  MarkModified();
}

void TForm2::BGImageClearClick() {
  if (!WorksheetShown()) return;
  // A fresh, empty and hidden picture control, lowest of all.
  ReplaceBackground();
  MarkModified();
}
