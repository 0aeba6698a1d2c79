#pragma once
// A composed card filled in for one row of a merge list at a time. The
// captions of its texts and the contents of its QR codes are read once as
// field texts; each row then only replaces what its cells change, so the
// card is composed and scaled once per job, not once per row or cell.
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "MergeFields.h"
#include "Outcome.h"
#include "QrCode.h"
#include "QrSymbol.h"

class TControl;
class TImage;
class TLabelEx;
struct TCardComposition;

class TMergeCard {
 public:
  // widenLabels as ComposeCard has it: printing gives a filled-in text room
  // for its width at the printer's resolution; the preview fits the text.
  TMergeCard(TCardComposition& card, bool widenLabels);

  // Ties the fields to columns; returns the fields naming none of them.
  QStringList Bind(const QStringList& columns);
  // The bitmaps of the card's QR codes for row, in order, each refused with
  // its reason when its content does not fit. Reads only what Bind set, so
  // the next rows' codes are made on another thread while this one prints.
  struct TCodes {
    std::vector<TQrBitmap> Bitmaps;
  };
  bool HasCodes() const { return !FQrCodes.empty(); }
  TCodes MakeCodes(const QStringList& row) const;
  // Puts row's cells into the card, taking its codes out of codes when
  // given (as MakeCodes made them for row). Failed, with the reason, when a
  // QR code cannot hold its content (the card is then partly filled in).
  TOutcome Apply(const QStringList& row, TCodes* codes = nullptr);

 private:
  struct TText {
    TLabelEx* Label;
    TFieldText Text;
    int Width;  // as composed: the preview never makes a text narrower
  };
  struct TQr {
    TImage* Image;
    TFieldText Content;
    TQrLevel Level;  // read once from the composed code
    QString Shown;
  };
  std::vector<TText> FTexts;
  std::vector<TQr> FQrCodes;
  bool FWiden;
};

// The fields in objects' texts and QR contents that name none of columns, in
// order of first appearance: checked before anything is printed.
QStringList UnknownMergeFields(const std::vector<TControl*>& objects, const QStringList& columns);
