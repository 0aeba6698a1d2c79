#pragma once
// The paper of a sheet printed to PDF: the names the command line knows,
// "WxH" in millimetres, and the one range every paper must lie in, whether
// given on the command line or read from a document.
#include <QSizeF>
#include <QString>

#include <optional>

namespace PdfPaper {

// Each side, millimetres: up to the largest page a PDF can hold (200 inches).
inline constexpr double MinMm = 1;
inline constexpr double MaxMm = 5080;

bool Fits(QSizeF mm);

// A paper name (A3, A4, A5, B4, B5, Letter, Legal, any case) or "WxH" in
// millimetres; nullopt when it is neither or does not fit.
std::optional<QSizeF> FromText(const QString& text);

}  // namespace PdfPaper
