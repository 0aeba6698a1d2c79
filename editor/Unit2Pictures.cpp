// TForm2: placing a picture or a catch phrase with its tool.
#include <exception>
#include <memory>

#include "ErrorText.h"
#include "Graphic.h"
#include "Image.h"
#include "PictureDialog.h"
#include "Picture.h"
#include "Unit2.h"
#include "UserInterface.h"
#include "WinControl.h"

void TForm2::InsertPicture(int kind) {
  if (!DrawPanel) return;
  const bool phrase = kind == 1;
  const auto path = UI().OpenPictureName(
      PictureDialogRequest(phrase ? TPictureUse::Phrase : TPictureUse::Picture, phrase ? PhraseFolder : PictureFolder));
  if (!path) return;

  // Load first: a file that is not a usable picture leaves no object behind.
  std::unique_ptr<TGraphic> graphic;
  try {
    graphic = TGraphic::LoadFromFile(*path);
  } catch (const std::exception& e) {
    UI().ShowError(ErrorText(e));
    return;
  }

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
