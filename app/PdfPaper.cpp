#include "PdfPaper.h"

#include <QStringList>

namespace PdfPaper {

bool Fits(QSizeF mm) {
  // Written so that NaN fails too.
  return mm.width() >= MinMm && mm.width() <= MaxMm && mm.height() >= MinMm && mm.height() <= MaxMm;
}

std::optional<QSizeF> FromText(const QString& text) {
  static const struct {
    const char* Name;
    double Width, Height;
  } kPapers[] = {{"A3", 297, 420},  {"A4", 210, 297},       {"A5", 148, 210},      {"B4", 257, 364},
                 {"B5", 182, 257}, {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}};
  for (const auto& p : kPapers)
    if (text.compare(QLatin1String(p.Name), Qt::CaseInsensitive) == 0) return QSizeF(p.Width, p.Height);
  const QStringList parts = text.split(QLatin1Char('x'), Qt::KeepEmptyParts, Qt::CaseInsensitive);
  if (parts.size() != 2) return std::nullopt;
  bool okW = false, okH = false;
  const QSizeF size(parts[0].toDouble(&okW), parts[1].toDouble(&okH));
  if (!okW || !okH || !Fits(size)) return std::nullopt;
  return size;
}

}  // namespace PdfPaper
