#include "TypInfo.h"

#include <algorithm>

int TEnumInfo::Ordinal(std::string_view name) const {
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], name)) return static_cast<int>(i);
  return -1;
}

std::string_view TEnumInfo::Name(int64_t ordinal) const {
  if (ordinal < 0 || ordinal >= static_cast<int64_t>(Names.size())) return {};
  return Names[static_cast<size_t>(ordinal)];
}

TClassInfo::TClassInfo(QByteArray className, const TClassInfo* parent)
    : FClassName(std::move(className)), FParent(parent) {
  if (parent) FProps = parent->FProps;
}

const TPropInfo* TClassInfo::Find(std::string_view name) const {
  for (const TPropInfo& p : FProps)
    if (SameText(p.Name, name)) return &p;
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    if (c == &other) return true;
  return false;
}

TClassInfo& TClassInfo::Add(TPropInfo prop) {
  FProps.push_back(std::move(prop));
  return *this;
}

TClassInfo& TClassInfo::Redeclare(TPropInfo prop) {
  for (TPropInfo& p : FProps) {
    if (SameText(p.Name, prop.Name)) {
      p = std::move(prop);
      return *this;
    }
  }
  FProps.push_back(std::move(prop));
  return *this;
}

TClassInfo& TClassInfo::Hide(std::string_view name) {
  FProps.erase(std::remove_if(FProps.begin(), FProps.end(), [&](const TPropInfo& p) { return SameText(p.Name, name); }),
               FProps.end());
  return *this;
}

void TPersistent::Assign(const TPersistent&) {}
