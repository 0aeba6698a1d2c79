#pragma once
// The picture of a picture control: an optional graphic, streamed as the
// binary property "Data" (class name, then the graphic's file bytes).
#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

#include "Graphic.h"
#include "TypInfo.h"

class TPicture : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Copies the other picture's graphic (its bytes are shared, not decoded).
  void Assign(const TPersistent& source) override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  // Replaces the graphic only when the file loads; see TGraphic::LoadFromFile.
  void LoadFromFile(const QString& path);
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // The "Data" payload: a length byte and the graphic's class name, then an
  // int32 little-endian byte count and the file bytes. Empty without a graphic.
  QByteArray WriteData() const;
  // Throws EReadError (and leaves the picture as it was) when the payload is
  // damaged or names a graphic class we do not know. Pixels are not decoded.
  // A payload with no class name clears the picture.
  void ReadData(const QByteArray& data);

  std::function<void(TPicture*)> OnChange;

 private:
  void Changed();

  std::unique_ptr<TGraphic> FGraphic;
};
