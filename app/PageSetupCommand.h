#pragma once
// The main window's page setup command on the open document.
#include <QString>

#include "DocumentPageSetup.h"
#include "ProgramFolders.h"

class QWidget;
class TWorksheet;

// Takes the dialog's values into the document group by group and, when the
// card size changed, resizes the worksheet, its background picture and its
// grid to it. Returns true when some group differed (the document is
// modified).
bool ApplyPageSetup(DocumentPageSetup& doc, TWorksheet& sheet, const DocumentPageSetup& dialogValues);

// Runs the page setup dialog on the document's page setup, with the setup
// lists of folders, at the remembered position dlgTop, dlgLeft (which
// receive the dialog's last position), and applies its values on OK. Returns
// true when the document was modified.
bool PageSetupCommand(DocumentPageSetup& doc, TWorksheet& sheet, int& dlgTop, int& dlgLeft,
                      const ProgramFolders& folders, QWidget* parent = nullptr);
