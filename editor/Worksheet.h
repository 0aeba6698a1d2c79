#pragma once
// The worksheet of one card: the panel DrawPanel with, from bottom to top, the
// background picture BGImage, the grid GridShape and the card objects; the
// object list (bottom first, not owning) and the colour dialog whose custom
// colours travel with the document. The editor, the document reader and
// writer, printing and the headless inspector all work on this.
#include <vector>

class TComponent;
class TControl;
class TPanel;
class TImage;
class TGridShape;
class TColorDialog;

class TWorksheet {
 public:
  TWorksheet() = default;
  ~TWorksheet();
  TWorksheet(const TWorksheet&) = delete;
  TWorksheet& operator=(const TWorksheet&) = delete;

  TPanel* DrawPanel = nullptr;
  TImage* BGImage = nullptr;
  TGridShape* GridShape = nullptr;
  std::vector<TControl*> ObjectList;
  TColorDialog* ColorDialog = nullptr;

  bool HasWorksheet() const { return DrawPanel != nullptr; }

  // Discards the current worksheet and builds an empty one of the given size
  // in worksheet pixels: the panel (window colour, no border, at 10, 10), the
  // background picture (disabled, stretched, shown, empty), the grid
  // (disabled, clear brush, spacing 10, silver pen), a fresh colour dialog and
  // an empty object list.
  void BuildWorksheet(int widthPx, int heightPx);
  // Destroys the panel with everything on it; the colour dialog stays.
  void DiscardWorksheet();
  // Replaces the colour dialog with a fresh one (no custom colours).
  void ResetColorDialog();
  // Makes a new, empty, hidden background picture in place of the current
  // one, at the bottom of the stacking order.
  void ReplaceBackground();

  // Every card object in stacking order must also be in the list; removes
  // obj from both the list and the worksheet and destroys it.
  void RemoveObject(TControl* obj);
};
