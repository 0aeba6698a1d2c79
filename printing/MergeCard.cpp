#include "MergeCard.h"

#include <algorithm>

#include "Bitmap.h"
#include "CardComposition.h"
#include "Image.h"
#include "Labelex.h"
#include "QrCode.h"

namespace {

// A text that merging changes: one with fields or doubled braces.
bool Merges(const QString& text) {
  return text.contains(QLatin1Char('{')) || text.contains(QLatin1Char('}'));
}

void AddUnknown(QStringList& unknown, const QStringList& more) {
  for (const QString& name : more)
    if (!unknown.contains(name)) unknown << name;
}

}  // namespace

TMergeCard::TMergeCard(TCardComposition& card, bool widenLabels) : FWiden(widenLabels) {
  for (TControl* copy : card.Copies) {
    if (auto* label = dynamic_cast<TLabelEx*>(copy)) {
      if (Merges(label->Caption())) FTexts.push_back({label, TFieldText(label->Caption()), label->Width()});
    } else if (IsQrCode(*copy)) {
      auto* image = static_cast<TImage*>(copy);
      if (Merges(image->Hint()))
        FQrCodes.push_back({image, TFieldText(image->Hint()), QrLevelOf(*image), image->Hint()});
    }
  }
}

QStringList TMergeCard::Bind(const QStringList& columns) {
  QStringList unknown;
  for (TText& t : FTexts) AddUnknown(unknown, t.Text.Bind(columns));
  for (TQr& q : FQrCodes) AddUnknown(unknown, q.Content.Bind(columns));
  return unknown;
}

TMergeCard::TCodes TMergeCard::MakeCodes(const QStringList& row) const {
  TCodes codes;
  for (const TQr& q : FQrCodes) codes.Bitmaps.push_back(QrCodeBitmap(q.Content.Fill(row), q.Level));
  return codes;
}

TOutcome TMergeCard::Apply(const QStringList& row, TCodes* codes) {
  for (TText& t : FTexts) {
    const QString text = t.Text.Fill(row);
    if (text == t.Label->Caption()) continue;
    t.Label->SetCaption(text);
    if (FWiden) {
      WidenLabel(*t.Label);
    } else {
      t.Label->SetAutoSize(true);
      const int fitted = t.Label->Width();
      t.Label->SetAutoSize(false);
      t.Label->SetWidth(std::max(fitted, t.Width));
    }
  }
  for (size_t k = 0; k < FQrCodes.size(); ++k) {
    TQr& q = FQrCodes[k];
    const QString content = q.Content.Fill(row);
    if (content == q.Shown) continue;
    const bool made = codes && k < codes->Bitmaps.size();
    const TOutcome replaced =
        ReplaceQrBitmap(*q.Image, made ? std::move(codes->Bitmaps[k]) : QrCodeBitmap(content, q.Level));
    if (!replaced.Ok()) return TOutcome::Failed(replaced.Reason());
    q.Shown = content;
  }
  return {};
}

QStringList UnknownMergeFields(const std::vector<TControl*>& objects, const QStringList& columns) {
  QStringList unknown;
  for (const TControl* object : objects) {
    if (!object) continue;
    QString text;
    if (const auto* label = dynamic_cast<const TLabelEx*>(object)) text = label->Caption();
    else if (IsQrCode(*object)) text = object->Hint();
    if (Merges(text)) AddUnknown(unknown, TFieldText(text).Bind(columns));
  }
  return unknown;
}
