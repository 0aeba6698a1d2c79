#pragma once
// The card on a worksheet as it stands at one moment: the background picture
// and every card object in stacking order, each as its own component stream
// (the document format round-trips every object exactly). Picture bytes are
// kept aside as graphics that share their bytes with the worksheet and with
// other snapshots, so a snapshot never copies a picture. Streams equal to
// those of the previous snapshot are shared with it too, so a history of
// snapshots grows by the objects that changed, not by the whole card.
#include <QByteArray>

#include <functional>
#include <memory>
#include <vector>

class TControl;
class TGraphic;
class TWorksheet;

struct CardSnapshot {
  struct Object {
    QByteArray Stream;                        // without the picture's data
    std::shared_ptr<const TGraphic> Picture;  // pictures only; bytes shared
  };
  Object Background;
  std::vector<Object> Objects;
  // What clearing the worksheet resets besides the card; only the steps that
  // change these put them back (the grid dialog is not an edit of the card).
  int GridWidth = 0;
  QByteArray ColorDialog;
};

// The card of sheet, sharing whatever previous already holds unchanged.
CardSnapshot TakeCardSnapshot(const TWorksheet& sheet, const CardSnapshot* previous = nullptr);

// Puts snapshot's card on sheet's panel in place of everything on it but the
// grid: objects, background, and any marks, frames or editors left there.
// Each new object goes through attach (which lists it); withSheetSettings
// also restores the grid spacing and the colour dialog. The panel's view is
// told once at the end rather than once per object. Returns the number of
// objects that could not be read back (none unless memory is corrupt).
int RestoreCardSnapshot(const CardSnapshot& snapshot, TWorksheet& sheet, bool withSheetSettings,
                        const std::function<void(TControl*)>& attach);
