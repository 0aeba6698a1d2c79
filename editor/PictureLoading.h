#pragma once
// Reading a picture file the user chose, for placing, replacing or the
// background: the file is read and decoded completely before anything on the
// worksheet changes, and a file that cannot be used is explained in Japanese.
#include <QString>

#include <memory>

class TGraphic;

enum class TPictureFault { None, Missing, Unreadable, Empty, NotAPicture, Damaged, TooLarge };

struct TPictureLoad {
  std::unique_ptr<TGraphic> Graphic;  // null when the file cannot be used
  TPictureFault Fault = TPictureFault::None;
};

// Reads and decodes the file; says nothing.
TPictureLoad ReadPictureFile(const QString& path);

// Reads and decodes the file; when it cannot be used, tells the user why and
// returns null.
std::unique_ptr<TGraphic> LoadPictureOrSay(const QString& path);
