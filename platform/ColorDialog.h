#pragma once
// TColorDialog: the colour chooser as a streamable component. Its current
// colour and its sixteen custom colours ("ColorA=BBGGRR" ... "ColorP=...")
// travel with the document; running it goes through UI().
#include <QStringList>

#include <optional>

#include "Component.h"
#include "Identifiers.h"

// The "Strings" holder the stream addresses as CustomColors.Strings.
class TStringsProperty : public TPersistent {
 public:
  explicit TStringsProperty(QStringList* target) : FTarget(target) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  QStringList* Target() const { return FTarget; }

 private:
  QStringList* FTarget;
};

class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  const QStringList& CustomColors() const { return FCustomColors; }
  void SetCustomColors(const QStringList& v) { FCustomColors = v; }
  int64_t Options() const { return FOptions; }
  void SetOptions(int64_t v) { FOptions = v; }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v) { FCtl3D = v; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int v) { FHelpContext = v; }

  // Shows the dialog on Color; on OK takes the chosen colour and the custom
  // colours and returns true.
  bool Execute();

 private:
  TColor FColor = clBlack;
  QStringList FCustomColors;
  int64_t FOptions = 0;
  bool FCtl3D = true;
  int FHelpContext = 0;
  TStringsProperty FCustomColorsProperty{&FCustomColors};

 public:
  TStringsProperty* CustomColorsProperty() { return &FCustomColorsProperty; }
};

