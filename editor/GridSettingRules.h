#pragma once
// What the grid settings dialog does with its spacing field, without its
// widgets: the spacing held as pixels, millimetres and inches, the unit, and
// the field's text. The dialog forwards each event to the method of the same
// name and then shows the text.
#include <QString>

#include "UnitLength.h"

class TGridSettingRules {
 public:
  // Opening on the grid's spacing: the field shows it in the unit.
  void Open(int gridWidthPx, TEditorUnit unit);

  // ---- Events.
  void UnitClicked(TEditorUnit unit);
  // The user changed the field's text.
  void MemoChanged(const QString& text);
  // The focus left the field. False when its text was no number: the user
  // has been told, and the field shows the stored spacing again.
  bool MemoExit();
  // OK may close the dialog: the spacing is at least one pixel, which the
  // grid's drawing and the snapping step by. Otherwise the user has been told.
  bool CheckSpacing() const;

  // ---- State.
  const QString& Text() const { return FText; }
  const TUnitLength& Value() const { return FValue; }
  TEditorUnit Unit() const { return FUnit; }

 private:
  void Show();

  QString FText;
  TUnitLength FValue;
  TEditorUnit FUnit = TEditorUnit::Pixel;
};
