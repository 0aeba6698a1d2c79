#pragma once
// The templates delivered beside the program: documents with the extension
// ".tpl" in the folder "Template" of the program's folder.
#include <QString>
#include <QStringList>

struct TemplateListing {
  QString TemplatePattern;  // program folder + "Template/*.tpl"
  QString Folder;           // the folder part of the pattern, ending with "/"
  QStringList TemplateFiles;  // file names with extension, in directory order
  QStringList Names;          // the same without their last four characters

  // Folder + the file at index; empty for an index outside the list.
  QString PathAt(int index) const;
};

// Lists the templates in the order the file system returns them, unsorted.
// The extension is matched without regard to case, so that ".TPL" files
// copied from a system that ignores case are found too. Folders are left
// out. No folder or no match gives an empty listing.
TemplateListing FindTemplates(const QString& programFolder);
