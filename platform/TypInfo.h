#pragma once
// Published-property tables: what component streaming writes and reads for a
// class, in order, with defaults and stored tests. Each streamable class
// describes itself once with a TClassInfo; the stream writer and reader are
// driven by these tables alone.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class TPersistent;

// ASCII names compared without regard to case, as the format's reader does
// (property, class, enumeration and identifier names are ASCII).
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y && ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z')) return false;
  }
  return true;
}

// Names of an enumeration's ordinals (also used for the elements of a set).
struct TEnumInfo {
  std::vector<std::string_view> Names;
  // Ordinal of name (case-insensitive) or -1.
  int Ordinal(std::string_view name) const;
  std::string_view Name(int64_t ordinal) const;  // empty when out of range
};

enum class TPropKind {
  Integer,     // 32-bit integer
  Color,       // TColor: identifier when named, else integer
  Cursor,      // TCursor: identifier when named, else integer
  Charset,     // TFontCharset: identifier when named, else integer
  Enum,        // identifier of Enum
  Set,         // set of Enum, held as a bit mask (bit n = ordinal n)
  Bool,        // false / true
  String,      // text; written as Shift-JIS (short or long string)
  Object,      // owned sub-object written as Name.SubProperty
  Binary,      // data defined by the object itself (Picture.Data)
  StringList,  // list of strings (Name.Strings)
};

struct TPropInfo {
  std::string_view Name;
  TPropKind Kind = TPropKind::Integer;
  const TEnumInfo* Enum = nullptr;
  std::optional<int64_t> Default;  // ordinals: not written when equal
  std::function<bool(const TPersistent&)> Stored;  // empty: always stored

  std::function<int64_t(const TPersistent&)> GetOrd;
  std::function<void(TPersistent&, int64_t)> SetOrd;
  std::function<QString(const TPersistent&)> GetStr;
  std::function<void(TPersistent&, const QString&)> SetStr;
  std::function<QByteArray(const TPersistent&)> GetBin;
  std::function<void(TPersistent&, const QByteArray&)> SetBin;
  std::function<QStringList(const TPersistent&)> GetList;
  std::function<void(TPersistent&, const QStringList&)> SetList;
  std::function<TPersistent*(TPersistent&)> GetObj;
};

class TClassInfo {
 public:
  TClassInfo(QByteArray className, const TClassInfo* parent);

  const QByteArray& ClassName() const { return FClassName; }
  const TClassInfo* Parent() const { return FParent; }
  const std::vector<TPropInfo>& Props() const { return FProps; }
  const TPropInfo* Find(std::string_view name) const;  // case-insensitive
  bool InheritsFrom(const TClassInfo& other) const;

  // Appends a property declared by this class.
  TClassInfo& Add(TPropInfo prop);
  // Replaces an inherited property of the same name in its place (a
  // redeclared property keeps its ancestor's place in the order).
  TClassInfo& Redeclare(TPropInfo prop);
  // Drops an inherited property the class does not publish.
  TClassInfo& Hide(std::string_view name);

 private:
  QByteArray FClassName;
  const TClassInfo* FParent;
  std::vector<TPropInfo> FProps;
};

// Base of everything with published properties.
class TPersistent {
 public:
  virtual ~TPersistent() = default;
  virtual const TClassInfo& ClassInfo() const = 0;
  QByteArray ClassName() const { return ClassInfo().ClassName(); }
  // Copies the state of source when it is of a compatible class.
  virtual void Assign(const TPersistent& source);
};

// Builders that wrap typed accessors into a property record. The accessors
// are taken as they come (usually lambdas) and called directly from the one
// type-erased wrapper each, which keeps streaming fast.
template <class C>
struct Published {
  template <class G, class S>
  static TPropInfo Ordinal(std::string_view name, TPropKind kind, G get, S set,
                           std::optional<int64_t> def = std::nullopt, const TEnumInfo* info = nullptr) {
    TPropInfo p;
    p.Name = name;
    p.Kind = kind;
    p.Enum = info;
    p.Default = def;
    p.GetOrd = [get](const TPersistent& o) -> int64_t { return get(static_cast<const C&>(o)); };
    p.SetOrd = [set](TPersistent& o, int64_t v) { set(static_cast<C&>(o), v); };
    return p;
  }
  template <class G, class S>
  static TPropInfo Integer(std::string_view name, G get, S set, std::optional<int64_t> def = std::nullopt) {
    return Ordinal(name, TPropKind::Integer, get, set, def);
  }
  template <class G, class S>
  static TPropInfo Bool(std::string_view name, G get, S set, std::optional<bool> def = std::nullopt) {
    std::optional<int64_t> d;
    if (def) d = *def ? 1 : 0;
    return Ordinal(
        name, TPropKind::Bool, [get](const C& c) -> int64_t { return get(c) ? 1 : 0; },
        [set](C& c, int64_t v) { set(c, v != 0); }, d);
  }
  template <class G, class S>
  static TPropInfo Enum(std::string_view name, const TEnumInfo& info, G get, S set,
                        std::optional<int64_t> def = std::nullopt) {
    return Ordinal(name, TPropKind::Enum, get, set, def, &info);
  }
  template <class G, class S>
  static TPropInfo Set(std::string_view name, const TEnumInfo& info, G get, S set,
                       std::optional<int64_t> def = std::nullopt) {
    return Ordinal(name, TPropKind::Set, get, set, def, &info);
  }
  template <class G, class S>
  static TPropInfo String(std::string_view name, G get, S set) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::String;
    p.GetStr = [get](const TPersistent& o) -> QString { return get(static_cast<const C&>(o)); };
    p.SetStr = [set](TPersistent& o, const QString& v) { set(static_cast<C&>(o), v); };
    return p;
  }
  template <class G>
  static TPropInfo Object(std::string_view name, G get) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Object;
    p.GetObj = [get](TPersistent& o) -> TPersistent* { return get(static_cast<C&>(o)); };
    return p;
  }
  template <class G, class S>
  static TPropInfo Binary(std::string_view name, G get, S set) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Binary;
    p.GetBin = [get](const TPersistent& o) -> QByteArray { return get(static_cast<const C&>(o)); };
    p.SetBin = [set](TPersistent& o, const QByteArray& v) { set(static_cast<C&>(o), v); };
    return p;
  }
  template <class G, class S>
  static TPropInfo List(std::string_view name, G get, S set) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::StringList;
    p.GetList = [get](const TPersistent& o) -> QStringList { return get(static_cast<const C&>(o)); };
    p.SetList = [set](TPersistent& o, const QStringList& v) { set(static_cast<C&>(o), v); };
    return p;
  }
};

// Adds a stored test to a property record.
inline TPropInfo StoredWhen(TPropInfo p, std::function<bool(const TPersistent&)> stored) {
  p.Stored = std::move(stored);
  return p;
}
