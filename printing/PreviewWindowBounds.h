#pragma once
// What the preview window leaves behind for its next opening: its last normal
// bounds and whether it was maximized. A maximized or minimized window's own
// geometry is not what the next opening wants, so the normal bounds are kept
// as they were when it was last maximized.
#include <QRect>

struct TRememberedBounds {
  QRect Bounds;
  bool Maximized = false;
  bool operator==(const TRememberedBounds&) const = default;
};

class TPreviewWindowBounds {
 public:
  enum TCloseState { csNormal, csMaximized, csMinimized };

  // Opened at bounds, maximized or not. A window opened maximized has had no
  // maximize command; the bounds it was opened with stand in for the saved
  // ones.
  void Opened(const QRect& bounds, bool maximized);
  // The maximize command, with the normal bounds the window had.
  void Maximizing(const QRect& normalBounds);
  // The restore command while maximized.
  void RestoredFromMaximized();

  bool WasMaximized() const { return FWasMaximized; }
  const QRect& SavedBounds() const { return FSaved; }

  // What is remembered when the window closes in state with the given
  // current (normal) bounds.
  TRememberedBounds Closed(TCloseState state, const QRect& current) const;

 private:
  bool FWasMaximized = false;
  QRect FSaved;
};
