// Program entry: headless commands first; otherwise the main window.
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

#include "Application.h"
#include "CommandLine.h"
#include "CommonText.h"
#include "ErrorText.h"
#include "FontSubstitution.h"
#include "ImageReaderLimit.h"
#include "StartupTimer.h"
#include "StringTable.h"
#include "Unit3.h"
#include "UserInterface.h"

int main(int argc, char** argv) {
  const double msAtMainStart = MillisecondsSinceProcessStart();
  InstallImageReaderLimit();
  int code = 0;
  if (TryRunCommandLine(argc, argv, &code)) return code;

  TApplication app(argc, argv);
  QApplication::setApplicationName(LoadStr(CommonText::ProgramName));
  QGuiApplication::setDesktopFileName(QStringLiteral("tessolo"));  // the desktop entry: its icon on Wayland
  InstallFontSubstitutions();
  // The platform's own dialogs (file dialogs, buttons) speak Japanese too.
  QTranslator qtTranslator;
  if (qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslator);
  QtUserInterface ui;
  SetUI(&ui);
  int result = 1;
  try {
    TForm3 form;
    ui.SetDialogParent(&form);
    form.show();
    if (qEnvironmentVariableIsSet("TESSOLO_STARTUP_TIME")) ReportStartupTimeWhenIdle(&form, msAtMainStart);
    result = app.exec();
    ui.SetDialogParent(nullptr);
  } catch (const std::exception& e) {
    ui.SetDialogParent(nullptr);
    UI().ShowError(ErrorText(e));
    result = 1;
  }
  SetUI(nullptr);
  return result;
}
