#include "StartWizardFlow.h"

TWizardChoice RunStartWizardFlow(int startMode, const QString& defaultFileName, const TStartWizardHooks& hooks) {
  const TWizardResult result = hooks.ShowWizard ? hooks.ShowWizard(startMode) : TWizardResult{};
  switch (result.Choice) {
    case wcNone: break;
    case wcOpenFile:
      if (hooks.OpenDocument) hooks.OpenDocument();
      break;
    case wcNewDocument:
      if (hooks.NewDocument) hooks.NewDocument();
      break;
    case wcFromTemplate:
      if (!hooks.LoadDocument) break;
      if (hooks.LoadDocument(result.TemplatePath) != 0) {
        if (hooks.DiscardDocument) hooks.DiscardDocument();
        break;
      }
      if (hooks.TemplateOpened) hooks.TemplateOpened(defaultFileName);
      break;
  }
  return result.Choice;
}
