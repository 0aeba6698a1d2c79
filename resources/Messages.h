#pragma once
// The program's one way to show its numbered messages: a message box with the
// text of the string table, titled with the program's message title.
#include <QString>

#include "UserInterface.h"

// Shows message id with the given buttons and returns the button pressed.
TModalResult ShowMessageId(int id, TMsgDlgButtons buttons = mbOK);

// For messages that name something ("%s" in the text): the first "%s" is
// replaced by arg, taken literally.
TModalResult ShowMessageId(int id, const QString& arg, TMsgDlgButtons buttons = mbOK);
