#pragma once
// A drawing surface over QPainter with the platform's drawing rules:
// Rectangle, RoundRect and Ellipse end one pixel before their right and bottom
// coordinates, outline with the pen and fill with the brush; LineTo does not
// paint its end point; pen modes copy and invert (pmNot); text with an
// inter-character extra. Shapes are never antialiased.
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

#include "GraphicsObjects.h"

class QPainter;
class QImage;
class TGraphic;

// DrawText flags, as the platform numbers them.
constexpr unsigned DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
                   DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
                   DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800;

class TCanvas {
 public:
  TCanvas();
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Binds the canvas to a painter for one paint (origin and clip already
  // set by the caller); without a painter drawing does nothing and only
  // measuring works.
  void BeginPaint(QPainter* painter);
  void EndPaint();
  QPainter* Painter() const { return FPainter; }

  TPen* Pen() const { return FPen.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  TFont* Font() const { return FFont.get(); }
  QPoint PenPos() const { return FPenPos; }
  // The area drawing can reach, in the canvas's coordinates (empty without
  // a painter).
  QRect ClipRect() const;

  // Coordinates beyond the range the platform's drawing accepts are cut to
  // it, and pens wider than any card needs draw at the widest width, so that
  // damaged values cannot overflow or stall drawing.
  static constexpr int MaxCoord = 1 << 27;
  static constexpr int MaxPenWidth = 1 << 14;

  // Under a zooming painter, lines of a hairline pen stay one device pixel
  // wide (guides such as the grid); others widen with the zoom.
  void SetHairline(bool v) { FHairline = v; }
  bool Hairline() const { return FHairline; }

  void MoveTo(int x, int y) { FPenPos = Clamped(x, y); }
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
  void Ellipse(int x1, int y1, int x2, int y2);
  void FillRect(const QRect& r);  // with the brush, no outline
  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const QRect& r, const TGraphic& graphic);
  void StretchDrawImage(const QRect& r, const QImage& image);

  // Text. Every character measured or drawn is followed by the character
  // extra, the last one included (as the platform's character extra does).
  int SetTextCharacterExtra(int extra);
  int TextCharacterExtra() const { return FCharExtra; }
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  void TextOut(int x, int y, const QString& text);
  // Draws or, with DT_CALCRECT, measures text in r. Lines are separated by
  // CR LF (or a lone CR or LF); DT_WORDBREAK also breaks them where a word
  // would pass the right edge (after spaces, and between Japanese
  // characters). Without DT_NOPREFIX an ampersand underlines the next
  // character and is not drawn ("&&" draws one). Returns the height.
  int DrawText(const QString& text, QRect& r, unsigned flags);

  // The Qt font, its metrics, the advances of the characters met so far and
  // the last text laid out, for the current font on the current device.
  // Opaque: named here only for the text code's own helpers.
  struct TextCache;

 private:
  TextCache& Text() const;
  static int Clamp(int v) { return v < -MaxCoord ? -MaxCoord : v > MaxCoord ? MaxCoord : v; }
  static QPoint Clamped(int x, int y) { return QPoint(Clamp(x), Clamp(y)); }
  static void ClampInPlace(int& x, int& y) {
    x = Clamp(x);
    y = Clamp(y);
  }
  QRect VisibleRect() const;  // the painter's drawable area, in logical pixels
  int PenWidth() const;       // at least 1, at most MaxPenWidth
  void ApplyRasterOp() const;
  void StrokeFrame(const QRect& path);  // outline of path (inclusive corners)
  void PlotLine(QPoint from, QPoint to, int width, const std::vector<int>& pattern);
  // A line under a zooming painter, drawn in device pixels.
  void PlotLineOnDevice(QPoint from, QPoint to);
  bool PenVisible() const;
  bool BrushVisible() const;

  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  QPainter* FPainter = nullptr;
  QPoint FPenPos;
  int FCharExtra = 0;
  bool FHairline = false;
  mutable std::unique_ptr<TextCache> FText;
  int64_t FDashPhase = 0;  // carried along a dotted outline
};
