#pragma once
// How the picture file dialog is set up for each use: the folder it opens
// in, the pattern shown as file name, and which file type comes first.
#include <QString>

#include "UserInterface.h"

enum class TPictureUse { Picture, Phrase, Background };

// folder may or may not end with a separator; exactly one joins it to the
// pattern.
TFileDialogRequest PictureDialogRequest(TPictureUse use, const QString& folder);

// The folder of a chosen file, ending with a separator.
QString FolderOf(const QString& path);

// The user's personal documents folder, where pictures are first looked for:
// the documents folder the desktop names, or the home folder where there is
// none.
QString PersonalDocumentsFolder();
