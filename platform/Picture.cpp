#include "Picture.h"

#include <QtEndian>

#include "Errors.h"

namespace {

[[noreturn]] void Damaged(const std::string& why) {
  throw EReadError("The picture data cannot be read: " + why + (why.ends_with('.') ? "" : "."),
                   {ReasonId::PictureDataUnreadable, {}});
}

// A stored class name as it can be shown in a message.
std::string Printable(const QByteArray& name) {
  std::string out;
  for (char c : name) out += (c >= 0x20 && c < 0x7F) ? c : '?';
  return out;
}

}  // namespace

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TPicture", nullptr);
    c.Add(StoredWhen(Published<TPicture>::Binary(
                         "Data", [](const TPicture& p) { return p.WriteData(); },
                         [](TPicture& p, const QByteArray& v) { p.ReadData(v); }),
                     [](const TPersistent& p) { return static_cast<const TPicture&>(p).Graphic() != nullptr; }));
    return c;
  }();
  return info;
}

void TPicture::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TPicture*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  FGraphic = other->FGraphic ? other->FGraphic->Clone() : nullptr;
  Changed();
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  Changed();
}

void TPicture::LoadFromFile(const QString& path) { SetGraphic(TGraphic::LoadFromFile(path)); }

QByteArray TPicture::WriteData() const {
  if (!FGraphic) return {};
  const QByteArray name = FGraphic->GraphicClassName();
  const QByteArray& bytes = FGraphic->Bytes();
  QByteArray out;
  out.reserve(1 + name.size() + 4 + bytes.size());
  out.append(char(name.size()));
  out.append(name);
  char size[4];
  qToLittleEndian<qint32>(qint32(bytes.size()), size);
  out.append(size, 4);
  out.append(bytes);
  return out;
}

void TPicture::ReadData(const QByteArray& data) {
  const qsizetype total = data.size();
  const qsizetype nameLength = total > 0 ? uchar(data[0]) : 0;
  if (nameLength == 0) {
    if (total > 1) Damaged("it has no graphic class name");
    SetGraphic(nullptr);
    return;
  }
  if (1 + nameLength > total) Damaged("it is cut short in the graphic class name");
  const QByteArray name = data.mid(1, nameLength);
  if (!TGraphic::FromClassName(name, {})) Damaged("the graphic class \"" + Printable(name) + "\" is not supported");
  qsizetype at = 1 + nameLength;
  if (at + 4 > total) Damaged("it is cut short before the size of the " + Printable(name) + " data");
  const qint32 size = qFromLittleEndian<qint32>(data.constData() + at);
  at += 4;
  if (size < 0) Damaged("the size of the " + Printable(name) + " data is negative (" + std::to_string(size) + ")");
  if (size > total - at)
    Damaged("the " + Printable(name) + " data should have " + std::to_string(size) + " bytes but only " +
            std::to_string(total - at) + " are present");
  // Bytes after the graphic's own are ignored: the picture itself is whole.
  std::unique_ptr<TGraphic> graphic;
  try {
    graphic = TGraphic::FromClassName(name, data.mid(at, size));
  } catch (const EInvalidGraphic& e) {
    throw EReadError("The picture data cannot be read: the " + Printable(name) + " data is not usable. " + e.what(),
                     {ReasonId::PictureDataUnreadable, {}}, e);
  }
  SetGraphic(std::move(graphic));
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}
