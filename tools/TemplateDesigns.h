#pragma once
// The business-card templates delivered in "Template" beside the program,
// built with the program's own components and document writer, so that
// they are ordinary documents made the way the editor makes them.
#include <QByteArray>
#include <QString>

#include <vector>

struct TemplateFile {
  QString FileName;  // with the ".tpl" extension
  QByteArray Bytes;  // the whole document
  int Objects = 0;   // card objects on it
};

// Every design, built afresh. Throws std::runtime_error when a text cannot
// be written in Shift-JIS (a design mistake, caught when the tool runs).
std::vector<TemplateFile> BuildTemplates();
