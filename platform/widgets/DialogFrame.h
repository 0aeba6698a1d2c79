#pragma once
// The frame every dialog and message box gets: a title bar with only the
// close button (no minimize, maximize or help button), and a width in which
// the title shows whole.
#include <QString>

class QWidget;

// Sets the window flags; call before the dialog is shown. A fixed-size hint
// the dialog had stays.
void SetDialogFrame(QWidget* dialog);

// The width a window needs for title to show whole in its title bar beside
// the bar's buttons.
int TitleFitWidth(const QString& title);

// SetDialogFrame, and at least the width of the title (a message box through
// its layout, since it sizes itself to its text).
void SetDialogFrameAndFitTitle(QWidget* dialog);
