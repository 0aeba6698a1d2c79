#pragma once
// What the main window does with the start wizard's choice (RunStartWizard),
// apart from the window itself: the window hands in its own operations.
#include <QString>

#include <functional>

#include "Outcome.h"
#include "WizardDlg.h"

struct TStartWizardHooks {
  // Shows the wizard in the start mode; RunWizard in the program.
  std::function<TWizardResult(int startMode)> ShowWizard;
  // The document commands: open a file (with its prompts and dialog) and a
  // new, empty card through the page setup dialog.
  std::function<void()> OpenDocument;
  std::function<void()> NewDocument;
  // Reads a document onto a fresh worksheet, telling the user of a failure
  // (LoadDocumentFile).
  std::function<TOutcome(const QString& path)> LoadDocument;
  // After a failed load: the worksheet goes, Modified and DocumentOpen
  // become false, the commands follow.
  std::function<void()> DiscardDocument;
  // After a template was read: the document takes this name, the caption
  // shows it, DocumentOpen becomes true, the commands follow. Modified
  // stays as the load left it (false).
  std::function<void(const QString& documentName)> TemplateOpened;
};

// Runs the wizard and acts on the choice. A card started from a template is
// named defaultFileName ("newfile.tsl"), never after the template, so that
// the first Save asks for a name and the template stays as it was.
// Returns the choice (wcNone when cancelled).
TWizardChoice RunStartWizardFlow(int startMode, const QString& defaultFileName, const TStartWizardHooks& hooks);
