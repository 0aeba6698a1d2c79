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
      if (const TOutcome loaded = hooks.LoadDocument(result.TemplatePath); !loaded.Ok()) {
        // A template that could not be read at all changed nothing.
        if (loaded.Kind() != TOutcome::TKind::Refused && hooks.DiscardDocument) hooks.DiscardDocument();
        break;
      }
      if (hooks.TemplateOpened) hooks.TemplateOpened(defaultFileName);
      break;
  }
  return result.Choice;
}
