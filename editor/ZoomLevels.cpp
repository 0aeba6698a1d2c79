#include "ZoomLevels.h"

#include <algorithm>
#include <cstdint>

namespace ZoomLevels {

int In(int percent) {
  for (int step : Steps)
    if (step > percent) return step;
  return Steps.back();
}

int Out(int percent) {
  for (auto it = Steps.rbegin(); it != Steps.rend(); ++it)
    if (*it < percent) return *it;
  return Steps.front();
}

int Fit(QSize sheetPx, QSize viewport, int margin) {
  if (sheetPx.width() < 1 || sheetPx.height() < 1) return Normal;
  const int64_t w = std::max(1, viewport.width() - 2 * margin), h = std::max(1, viewport.height() - 2 * margin);
  const int64_t fit = std::min(w * 100 / sheetPx.width(), h * 100 / sheetPx.height());
  return int(std::clamp<int64_t>(fit, MinFit, MaxFit));
}

TZoomSetting FromText(const QString& text) {
  const QString t = text.trimmed();
  if (t.compare(QLatin1String("fit"), Qt::CaseInsensitive) == 0) return {true, Normal};
  bool ok = false;
  const int percent = t.toInt(&ok);
  if (ok && std::find(Steps.begin(), Steps.end(), percent) != Steps.end()) return {false, percent};
  return {};
}

QString ToText(const TZoomSetting& setting) {
  return setting.FitWindow ? QStringLiteral("fit") : QString::number(setting.Percent);
}

}  // namespace ZoomLevels
