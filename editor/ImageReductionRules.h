#pragma once
// What the picture-size dialog does with its values, without its widgets:
// both sides of the picture held as pixels, millimetres and inches, the unit,
// the fixed aspect ratio, the two entry fields' texts, and the layout of the
// preview with its scroll bars. The dialog forwards each event to the method
// of the same name and then shows the texts.
#include <QPoint>
#include <QString>

#include <array>

#include "UnitLength.h"

enum class TPictureSide { Width = 0, Height = 1 };

// Where the preview puts the picture and which scroll bars it shows.
struct TPreviewLayout {
  bool HBarVisible = false;
  bool VBarVisible = false;
  bool CoverVisible = false;  // the corner between two bars
  QPoint ImagePos;
  int HBarLength = 0, HBarMax = 0, HBarPage = 0;
  int VBarLength = 0, VBarMax = 0, VBarPage = 0;
  bool operator==(const TPreviewLayout&) const = default;
};

class TImageReductionRules {
 public:
  // The preview panel is square; the bars scroll by this much per arrow click.
  static constexpr int PreviewSize = 185;
  static constexpr int BarSmallStep = 10;
  // The sizes a picture may be given, in pixels a side.
  static constexpr int MinSidePx = 1;
  static constexpr int MaxSidePx = 30000;

  // Opening on a picture of widthPx x heightPx: the aspect ratio is taken from
  // it, and the fields are filled in the unit as if typed, the width first.
  void Open(int widthPx, int heightPx, TEditorUnit unit, bool fixedRatio);

  // ---- Events.
  void UnitClicked(TEditorUnit unit);
  // The user changed a field's text.
  void FieldChanged(TPictureSide side, const QString& text);
  // The focus left a field. False when its text was no number: the user has
  // been told, and the fields show the stored values again.
  bool FieldExit(TPictureSide side);
  void FixedRateClicked(bool checked);
  // OK may close the dialog: both sides are sizes a picture can take.
  // Otherwise the user has been told why.
  bool CheckSize() const;

  // ---- State.
  const QString& Text(TPictureSide side) const { return FText[Index(side)]; }
  const TUnitLength& Value(TPictureSide side) const { return FValue[Index(side)]; }
  int WidthPx() const { return FValue[0].Px; }
  int HeightPx() const { return FValue[1].Px; }
  float Ratio() const { return FRatio; }
  TEditorUnit Unit() const { return FUnit; }
  bool FixedRatio() const { return FFixed; }

  // The preview of a picture shown at w x h pixels.
  static TPreviewLayout PreviewLayoutFor(int w, int h);

 private:
  static int Index(TPictureSide side) { return side == TPictureSide::Width ? 0 : 1; }
  static TPictureSide Other(TPictureSide side) {
    return side == TPictureSide::Width ? TPictureSide::Height : TPictureSide::Width;
  }
  // The dialog writes a field: a text that differs counts as a change unless
  // the dialog is busy with one already.
  void Write(TPictureSide side, const QString& text);
  void Changed(TPictureSide side);
  void Show(TPictureSide side) { Write(side, Value(side).Text(FUnit)); }
  void SetValue(TPictureSide side, const TUnitLength& v) { FValue[Index(side)] = v; }

  std::array<QString, 2> FText;
  std::array<TUnitLength, 2> FValue{};
  float FRatio = 1.0f;
  TEditorUnit FUnit = TEditorUnit::Pixel;
  bool FFixed = true;
  bool FBusy = false;
};
