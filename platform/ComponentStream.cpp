#include "ComponentStream.h"

#include <QString>
#include <QStringList>

#include <cstring>
#include <memory>
#include <string>

#include "ClassRegistry.h"
#include "Component.h"
#include "Control.h"
#include "Errors.h"
#include "Identifiers.h"
#include "ShiftJis.h"
#include "TypInfo.h"
#include "WinControl.h"

namespace ComponentStream {

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr int kMaxDepth = 32;  // nesting of lists, collections and children

// --- writing ----------------------------------------------------------------

class Writer {
 public:
  Writer(QByteArray& out, bool withBinary) : FOut(out), FWithBinary(withBinary) {}

  void Component(const TComponent& c) {
    FOut.append(kSignature, 4);
    ShortStr(c.ClassName());
    ShortStr(c.Name());
    Properties(const_cast<TComponent&>(c), {});
    FOut.append('\0');  // end of properties
    FOut.append('\0');  // end of (no) children
  }

 private:
  void Byte(uint8_t b) { FOut.append(char(b)); }
  void Raw(const void* p, qsizetype n) {
    if (n > 0) FOut.append(static_cast<const char*>(p), n);
  }
  void U32(uint32_t v) {
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Raw(b, 4);
  }
  void ShortStr(QByteArrayView s) {
    Byte(uint8_t(std::min<qsizetype>(s.size(), 255)));
    Raw(s.data(), std::min<qsizetype>(s.size(), 255));
  }
  void Integer(int64_t v) {
    if (v >= -128 && v <= 127) {
      Byte(vaInt8);
      Byte(uint8_t(int8_t(v)));
    } else if (v >= -32768 && v <= 32767) {
      Byte(vaInt16);
      const uint16_t u = uint16_t(int16_t(v));
      Byte(uint8_t(u));
      Byte(uint8_t(u >> 8));
    } else {
      Byte(vaInt32);
      U32(uint32_t(int32_t(v)));
    }
  }
  void Ident(std::string_view name) {
    Byte(vaIdent);
    ShortStr(QByteArrayView(name.data(), qsizetype(name.size())));
  }
  void IdentOrInteger(std::optional<std::string_view> name, int64_t v) {
    if (name)
      Ident(*name);
    else
      Integer(v);
  }
  void String(const QString& s) {
    bool ok = false;
    const QByteArray bytes = ShiftJis::Encode(s, &ok);
    if (!ok) {
      // Text Shift-JIS cannot hold is kept whole as a wide string.
      Byte(vaWString);
      U32(uint32_t(s.size()));
      for (QChar c : s) {
        Byte(uint8_t(c.unicode()));
        Byte(uint8_t(c.unicode() >> 8));
      }
    } else if (bytes.size() <= 255) {
      Byte(vaString);
      ShortStr(bytes);
    } else {
      Byte(vaLString);
      U32(uint32_t(bytes.size()));
      FOut.append(bytes);
    }
  }
  // A property name after its owners' names ("Pen." ...), at most 255 bytes.
  void Name(std::string_view prefix, std::string_view name) {
    const size_t n = std::min<size_t>(prefix.size() + name.size(), 255);
    Byte(uint8_t(n));
    const size_t fromPrefix = std::min(prefix.size(), n);
    Raw(prefix.data(), qsizetype(fromPrefix));
    Raw(name.data(), qsizetype(n - fromPrefix));
  }

  void Properties(TPersistent& obj, std::string_view prefix) {
    for (const TPropInfo& p : obj.ClassInfo().Props()) {
      if (p.Stored && !p.Stored(obj)) continue;
      switch (p.Kind) {
        case TPropKind::Object: {
          if (TPersistent* sub = p.GetObj(obj)) {
            char buffer[256];
            size_t n = std::min<size_t>(prefix.size(), 255);
            if (n > 0) std::memcpy(buffer, prefix.data(), n);  // an empty view may hold a null pointer
            const size_t take = std::min(p.Name.size(), 255 - n);
            if (take > 0) std::memcpy(buffer + n, p.Name.data(), take);
            n += take;
            if (n < 255) buffer[n++] = '.';
            Properties(*sub, std::string_view(buffer, n));
          }
          break;
        }
        case TPropKind::String: {
          const QString s = p.GetStr(obj);
          if (s.isEmpty()) break;
          Name(prefix, p.Name);
          String(s);
          break;
        }
        case TPropKind::Binary: {
          if (!FWithBinary) break;
          const QByteArray data = p.GetBin(obj);
          Name(prefix, p.Name);
          Byte(vaBinary);
          U32(uint32_t(data.size()));
          FOut.append(data);
          break;
        }
        case TPropKind::StringList: {
          const QStringList list = p.GetList(obj);
          if (list.isEmpty()) break;
          Name(prefix, p.Name);
          Byte(vaList);
          for (const QString& s : list) String(s);
          Byte(vaNull);
          break;
        }
        default: {
          const int64_t v = p.GetOrd(obj);
          if (p.Default && v == *p.Default) break;
          Name(prefix, p.Name);
          Ordinal(p, v);
          break;
        }
      }
    }
  }

  void Ordinal(const TPropInfo& p, int64_t v) {
    switch (p.Kind) {
      case TPropKind::Integer: Integer(v); break;
      case TPropKind::Color: IdentOrInteger(Identifiers::ColorToIdent(TColor(v)), v); break;
      case TPropKind::Cursor: IdentOrInteger(Identifiers::CursorToIdent(TCursor(v)), v); break;
      case TPropKind::Charset: IdentOrInteger(Identifiers::CharsetToIdent(TFontCharset(v)), v); break;
      case TPropKind::Enum: {
        const std::string_view name = p.Enum->Name(v);
        if (name.empty())
          Integer(v);
        else
          Ident(name);
        break;
      }
      case TPropKind::Set:
        Byte(vaSet);
        for (size_t i = 0; i < p.Enum->Names.size() && i < 64; ++i)
          if (v & (int64_t(1) << i)) ShortStr(QByteArrayView(p.Enum->Names[i].data(), qsizetype(p.Enum->Names[i].size())));
        Byte(0);
        break;
      case TPropKind::Bool: Byte(v ? vaTrue : vaFalse); break;
      default: break;
    }
  }

  QByteArray& FOut;
  bool FWithBinary;
};

// --- reading ----------------------------------------------------------------

class Reader {
 public:
  explicit Reader(QByteArrayView data) : FData(reinterpret_cast<const uint8_t*>(data.data())), FSize(size_t(data.size())) {}

  size_t Position() const { return FPos; }

  QByteArray Header() {
    Need(4, "signature");
    if (std::memcmp(FData, kSignature, 4) != 0) Fail("Invalid stream format: no TPF0 signature");
    FPos = 4;
    const uint8_t first = Peek();
    if ((first & 0xF0) == 0xF0) {  // inherited / child / inline prefix
      ++FPos;
      if (first & 0x02) SkipValue(Byte(), 0);
    }
    QByteArray className = ShortStr();
    if (className.isEmpty()) Fail("Invalid stream format: empty class name");
    ShortView();  // component name: card objects carry none
    return className;
  }

  void Body(TComponent& c) {
    while (Peek() != vaNull) Property(c);
    ++FPos;
    while (Peek() != vaNull) SkipObject(1);  // children are not part of a card object
    ++FPos;
  }

 private:
  [[noreturn]] void Fail(const std::string& what, int reason = ReasonId::StreamInvalid) const {
    throw EReadError(what + " (at byte " + std::to_string(FPos) + ")", {reason, {QString::number(FPos)}});
  }
  void Need(uint64_t n, const char* what) const {
    if (n > FSize - FPos)
      Fail(std::string("Stream read error: ") + what + " runs past the end of the stream", ReasonId::StreamCutShort);
  }
  uint8_t Peek() const {
    Need(1, "value");
    return FData[FPos];
  }
  uint8_t Byte() {
    Need(1, "value");
    return FData[FPos++];
  }
  uint32_t U32() {
    Need(4, "length");
    const uint32_t v = uint32_t(FData[FPos]) | uint32_t(FData[FPos + 1]) << 8 | uint32_t(FData[FPos + 2]) << 16 |
                       uint32_t(FData[FPos + 3]) << 24;
    FPos += 4;
    return v;
  }
  void Skip(uint64_t n, const char* what) {
    Need(n, what);
    FPos += size_t(n);
  }
  QByteArray Bytes(uint64_t n, const char* what) {
    Need(n, what);  // checked before anything is allocated
    QByteArray b(reinterpret_cast<const char*>(FData + FPos), qsizetype(n));
    FPos += size_t(n);
    return b;
  }
  QByteArray ShortStr() {
    const uint8_t n = Byte();
    return Bytes(n, "string");
  }
  // A short string read in place (valid while the input is).
  std::string_view ShortView() {
    const uint8_t n = Byte();
    Need(n, "string");
    const std::string_view v(reinterpret_cast<const char*>(FData + FPos), n);
    FPos += n;
    return v;
  }

  int64_t IntegerOf(uint8_t type) {
    switch (type) {
      case vaInt8: Need(1, "integer"); return int8_t(FData[FPos++]);
      case vaInt16: {
        Need(2, "integer");
        const int16_t v = int16_t(uint16_t(FData[FPos]) | uint16_t(FData[FPos + 1]) << 8);
        FPos += 2;
        return v;
      }
      case vaInt32: return int32_t(U32());
      case vaInt64: {
        const uint64_t lo = U32();
        const uint64_t hi = U32();
        return int64_t(lo | hi << 32);
      }
      default: Fail("Invalid property value: integer expected");
    }
  }
  static bool IsInteger(uint8_t t) { return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64; }

  QString StringOf(uint8_t type) {
    switch (type) {
      case vaString: {
        const std::string_view v = ShortView();
        return ShiftJis::Decode(QByteArrayView(v.data(), qsizetype(v.size())));
      }
      case vaLString: {
        const uint32_t n = U32();
        Need(n, "long string");
        const QByteArrayView v(FData + FPos, qsizetype(n));
        FPos += n;
        return ShiftJis::Decode(v);
      }
      case vaWString: {
        const uint64_t n = U32();
        const QByteArray b = Bytes(n * 2, "wide string");
        QString s(qsizetype(n), Qt::Uninitialized);
        for (uint64_t i = 0; i < n; ++i)
          s[qsizetype(i)] = QChar(char16_t(uint8_t(b[qsizetype(2 * i)]) | uint8_t(b[qsizetype(2 * i + 1)]) << 8));
        return s;
      }
      case vaUTF8String: {
        const uint32_t n = U32();
        return QString::fromUtf8(Bytes(n, "UTF-8 string"));
      }
      default: Fail("Invalid property value: string expected");
    }
  }

  void SkipValue(uint8_t type, int depth) {
    if (depth > kMaxDepth) Fail("Invalid stream format: values nested too deeply");
    switch (type) {
      case vaNull: case vaFalse: case vaTrue: case vaNil: return;
      case vaList:
        while (Peek() != vaNull) SkipValue(Byte(), depth + 1);
        ++FPos;
        return;
      case vaInt8: Skip(1, "integer"); return;
      case vaInt16: Skip(2, "integer"); return;
      case vaInt32: Skip(4, "integer"); return;
      case vaExtended: Skip(10, "extended"); return;
      case vaString: case vaIdent: Skip(Byte(), "string"); return;
      case vaBinary: case vaLString: case vaUTF8String: Skip(U32(), "data"); return;
      case vaSet:
        for (uint8_t n = Byte(); n != 0; n = Byte()) Skip(n, "set element");
        return;
      case vaCollection:
        while (Peek() != vaNull) {
          if (IsInteger(Peek())) IntegerOf(Byte());
          if (Byte() != vaList) Fail("Invalid stream format: collection item expected");
          while (Peek() != vaNull) {
            ShortView();
            SkipValue(Byte(), depth + 1);
          }
          ++FPos;
        }
        ++FPos;
        return;
      case vaSingle: Skip(4, "single"); return;
      case vaCurrency: case vaDate: case vaInt64: case vaDouble: Skip(8, "value"); return;
      case vaWString: Skip(uint64_t(U32()) * 2, "wide string"); return;
      default: Fail("Invalid stream format: unknown value type " + std::to_string(type));
    }
  }

  void SkipObject(int depth) {
    if (depth > kMaxDepth) Fail("Invalid stream format: components nested too deeply");
    const uint8_t first = Peek();
    if ((first & 0xF0) == 0xF0) {
      ++FPos;
      if (first & 0x02) SkipValue(Byte(), depth);
    }
    ShortView();
    ShortView();
    while (Peek() != vaNull) {
      ShortView();
      SkipValue(Byte(), depth + 1);
    }
    ++FPos;
    while (Peek() != vaNull) SkipObject(depth + 1);
    ++FPos;
  }

  void Property(TComponent& root) {
    const std::string_view name = ShortView();
    TPersistent* obj = &root;
    const TPropInfo* prop = nullptr;
    size_t start = 0;
    while (true) {
      const size_t dot = name.find('.', start);
      prop = obj->ClassInfo().Find(name.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
      if (dot == std::string_view::npos || !prop) break;
      if (prop->Kind != TPropKind::Object || !(obj = prop->GetObj(*obj))) {
        prop = nullptr;
        break;
      }
      start = dot + 1;
    }
    const uint8_t type = Byte();
    if (!prop || prop->Kind == TPropKind::Object) {
      SkipValue(type, 0);  // a property this program does not model
      return;
    }
    try {
      Value(*obj, *prop, type);
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& e) {
      throw EReadError("Error reading " + std::string(name) + ": " + e.what() + " (at byte " + std::to_string(FPos) +
                           ")",
                       {ReasonId::PropertyUnreadable, {QString::fromLatin1(name.data(), qsizetype(name.size()))}}, e);
    }
  }

  void Value(TPersistent& obj, const TPropInfo& p, uint8_t type) {
    auto invalid = [&]() { Fail("Invalid property value for " + std::string(p.Name)); };
    switch (p.Kind) {
      case TPropKind::Integer:
        if (!IsInteger(type)) invalid();
        p.SetOrd(obj, IntegerOf(type));
        return;
      case TPropKind::Color:
      case TPropKind::Cursor:
      case TPropKind::Charset: {
        if (IsInteger(type)) {
          p.SetOrd(obj, IntegerOf(type));
          return;
        }
        if (type != vaIdent) invalid();
        const std::string_view ident = ShortView();
        std::optional<int32_t> v = p.Kind == TPropKind::Color    ? Identifiers::IdentToColor(ident)
                                   : p.Kind == TPropKind::Cursor ? Identifiers::IdentToCursor(ident)
                                                                 : Identifiers::IdentToCharset(ident);
        if (!v) invalid();
        p.SetOrd(obj, *v);
        return;
      }
      case TPropKind::Enum: {
        if (IsInteger(type)) {
          // What the writer gives an ordinal without a name; enumerations
          // are held in one byte.
          const int64_t v = IntegerOf(type);
          if (v < 0 || v > 255) invalid();
          p.SetOrd(obj, v);
          return;
        }
        if (type != vaIdent) invalid();
        const int ord = p.Enum->Ordinal(ShortView());
        if (ord < 0) invalid();
        p.SetOrd(obj, ord);
        return;
      }
      case TPropKind::Set: {
        if (type != vaSet) invalid();
        int64_t bits = 0;
        for (std::string_view id = ShortView(); !id.empty(); id = ShortView()) {
          const int ord = p.Enum->Ordinal(id);
          if (ord < 0 || ord >= 64) invalid();
          bits |= int64_t(1) << ord;
        }
        p.SetOrd(obj, bits);
        return;
      }
      case TPropKind::Bool:
        if (type != vaFalse && type != vaTrue) invalid();
        p.SetOrd(obj, type == vaTrue ? 1 : 0);
        return;
      case TPropKind::String:
        p.SetStr(obj, StringOf(type));
        return;
      case TPropKind::Binary: {
        if (type != vaBinary) invalid();
        const uint32_t n = U32();
        p.SetBin(obj, Bytes(n, "binary data"));
        return;
      }
      case TPropKind::StringList: {
        if (type != vaList) invalid();
        QStringList list;
        while (Peek() != vaNull) list << StringOf(Byte());
        ++FPos;
        p.SetList(obj, list);
        return;
      }
      case TPropKind::Object:
        SkipValue(type, 0);
        return;
    }
  }

  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
};

}  // namespace

void WriteComponent(const TComponent& component, QByteArray& out) { Writer(out, true).Component(component); }

QByteArray WriteComponentWithoutBinary(const TComponent& component) {
  QByteArray out;
  out.reserve(128);
  Writer(out, false).Component(component);
  return out;
}

QByteArray WriteComponent(const TComponent& component) {
  QByteArray out;
  out.reserve(128);
  WriteComponent(component, out);
  return out;
}

QByteArray PeekClassName(QByteArrayView data) { return Reader(data).Header(); }

qsizetype ReadComponent(QByteArrayView data, TComponent& instance) {
  Reader reader(data);
  const QByteArray className = reader.Header();
  if (className != instance.ClassName())
    throw EReadError("Stream holds a " + className.toStdString() + ", not a " + instance.ClassName().toStdString(),
                     {ReasonId::StreamWrongClass,
                      {QString::fromLatin1(className), QString::fromLatin1(instance.ClassName())}});
  instance.BeginLoading();
  try {
    reader.Body(instance);
  } catch (...) {
    instance.Loaded();
    throw;
  }
  instance.Loaded();
  return qsizetype(reader.Position());
}

TComponent* ReadNewComponent(QByteArrayView data, TComponent* owner, TWinControl* parent, qsizetype* consumed) {
  const QByteArray className = PeekClassName(data);
  std::unique_ptr<TComponent> c(ClassRegistry::Create(className, owner));
  if (!c)
    throw EClassNotFound("Class " + className.toStdString() + " not found",
                         {ReasonId::ClassNotFound, {QString::fromLatin1(className)}});
  if (auto* control = dynamic_cast<TControl*>(c.get())) control->SetParent(parent);
  const qsizetype n = ReadComponent(data, *c);
  if (consumed) *consumed = n;
  return c.release();
}

}  // namespace ComponentStream
