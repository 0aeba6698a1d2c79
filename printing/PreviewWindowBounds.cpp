#include "PreviewWindowBounds.h"

void TPreviewWindowBounds::Opened(const QRect& bounds, bool maximized) {
  FWasMaximized = maximized;
  FSaved = bounds;
}

void TPreviewWindowBounds::Maximizing(const QRect& normalBounds) {
  FWasMaximized = true;
  FSaved = normalBounds;
}

void TPreviewWindowBounds::RestoredFromMaximized() { FWasMaximized = false; }

TRememberedBounds TPreviewWindowBounds::Closed(TCloseState state, const QRect& current) const {
  switch (state) {
    case csMaximized: return {FSaved, true};
    case csMinimized: return FWasMaximized ? TRememberedBounds{FSaved, true} : TRememberedBounds{current, false};
    case csNormal: break;
  }
  return {current, false};
}
