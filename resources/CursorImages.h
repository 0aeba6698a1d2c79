#pragma once
// The program's own mouse cursors, looked up by resource name as the cursor
// table registers them: "SHAPECURSOR" (shape tools), "IMAGECURSOR" (picture
// and catch-phrase tools) and "TEXTCURSOR" (text tool).
#include <QCursor>
#include <QString>

#include <optional>

// The cursor of that name, drawn on first use; nullopt for an unknown name.
std::optional<QCursor> LoadCursor(const QString& resourceName);

// Registers the three cursors in the screen's cursor table as 1 (shape),
// 2 (picture) and 3 (text); a cursor that cannot be made becomes the arrow.
void RegisterCustomCursors();
