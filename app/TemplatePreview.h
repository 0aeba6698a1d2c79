#pragma once
// The wizard's preview of a template: the template's card read onto a white
// panel of its own, without its grid, halved, and placed in the middle of the
// scroll box that shows it. Nothing on it reacts to the mouse.
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

#include "Worksheet.h"

class TControl;
class TPanel;

class TTemplatePreview {
 public:
  enum TRenderResult {
    prShown,   // the panel is ready and visible
    prHidden,  // a record the preview does not know: nothing is shown, nothing said
    prFailed,  // the file cannot be read or is damaged: ErrorText says why
  };

  // Destroys the panel of the previous preview with everything on it, then
  // builds the preview of the template at path for a scroll box of the given
  // size. Only prShown leaves a panel.
  TRenderResult Render(const QString& path, QSize scrollBox);
  // The same for bytes already in memory.
  TRenderResult RenderBytes(QByteArrayView bytes, QSize scrollBox);
  void Clear();

  TPanel* PreviewPanel() const { return FSheet.DrawPanel; }
  // The card objects on the panel, bottom first.
  const std::vector<TControl*>& PreviewObjects() const { return FSheet.ObjectList; }
  const QString& ErrorText() const { return FError; }

 private:
  TWorksheet FSheet;
  QString FError;
};

// The shapes keep a logical rectangle of their own that control scaling does
// not reach: sets each TQuShape's Top, Left, Width, Height and pen width to
// trunc(value x M / D + 0.5), computed in single precision, and repaints it.
// Other objects are left alone.
void ScaleShapes(const std::vector<TControl*>& objects, int M, int D);

// Where a panel of the given size goes in the scroll box: centred on each
// axis where it is smaller than the box, else at 0 (the box scrolls).
QPoint CentredInScrollBox(QSize scrollBox, QSize panel);
