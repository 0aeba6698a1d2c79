#pragma once
// The widget library's binary component format for one component without
// children: "TPF0", class name, component name, published properties in the
// order of the class's property table, end of properties, end of children.
#include <QByteArray>

#include <cstdint>

class TComponent;
class TWinControl;

namespace ComponentStream {

// Value types of the format.
enum ValueType : uint8_t {
  vaNull = 0x00, vaList = 0x01, vaInt8 = 0x02, vaInt16 = 0x03, vaInt32 = 0x04, vaExtended = 0x05,
  vaString = 0x06, vaIdent = 0x07, vaFalse = 0x08, vaTrue = 0x09, vaBinary = 0x0A, vaSet = 0x0B,
  vaLString = 0x0C, vaNil = 0x0D, vaCollection = 0x0E, vaSingle = 0x0F, vaCurrency = 0x10, vaDate = 0x11,
  vaWString = 0x12, vaInt64 = 0x13, vaUTF8String = 0x14, vaDouble = 0x15,
};

// Writes component as a stream (with the "TPF0" signature).
QByteArray WriteComponent(const TComponent& component);
void WriteComponent(const TComponent& component, QByteArray& out);  // appends
// The same without binary values (a picture's "Data"), for copies that keep
// the picture's bytes aside and share them rather than copying them.
QByteArray WriteComponentWithoutBinary(const TComponent& component);

// Reads a stream into an existing instance; the class names must match.
// Returns the number of bytes the stream took. Throws EReadError.
qsizetype ReadComponent(QByteArrayView data, TComponent& instance);

// Creates the registered class the stream names, with owner, reads the
// stream into it and sets its parent. Throws EReadError / EClassNotFound;
// nothing is left behind on failure.
TComponent* ReadNewComponent(QByteArrayView data, TComponent* owner, TWinControl* parent,
                             qsizetype* consumed = nullptr);

// The class name a stream begins with (throws EReadError when damaged).
QByteArray PeekClassName(QByteArrayView data);

}  // namespace ComponentStream
