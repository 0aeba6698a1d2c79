#pragma once
// The worksheet's zoom levels: the fixed steps the View menu offers, the
// step in and out from any zoom (a fitted one lies between steps), the zoom
// that fits a sheet into the window, and the zoom as tessolo.ini keeps it.
#include <QSize>
#include <QString>

#include <array>

namespace ZoomLevels {

inline constexpr std::array<int, 7> Steps{50, 75, 100, 150, 200, 300, 400};
inline constexpr int Normal = 100;
// A fitted zoom stays within these, however large or small the window.
inline constexpr int MinFit = 10, MaxFit = 400;

// The next step above (below) percent; the last step stays.
int In(int percent);
int Out(int percent);

// The largest whole percentage at which a sheet of sheetPx worksheet pixels,
// with margin device pixels on every side, fits into viewport.
int Fit(QSize sheetPx, QSize viewport, int margin);

// The zoom chosen: one of the steps, or fitting the window.
struct TZoomSetting {
  bool FitWindow = false;
  int Percent = Normal;  // the step; ignored while FitWindow
  bool operator==(const TZoomSetting&) const = default;
};
// "fit" or a step's number; anything else (a damaged or hand-edited file)
// gives 100 %.
TZoomSetting FromText(const QString& text);
QString ToText(const TZoomSetting& setting);

}  // namespace ZoomLevels
