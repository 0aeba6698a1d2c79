#pragma once
// The two decorative pictures of the start wizard, drawn rather than stored:
// the first page's (cards kept in a folder: which file to open) and the
// second page's (a fresh card and a pen: a new card).
#include <QImage>

namespace WizardPictures {

constexpr int Width = 150;
constexpr int Height = 190;

QImage OpenPicture();
QImage NewPicture();

}  // namespace WizardPictures
