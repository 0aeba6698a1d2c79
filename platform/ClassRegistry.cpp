#include "ClassRegistry.h"

#include <map>

namespace ClassRegistry {

namespace {
std::map<QByteArray, Factory>& Registry() {
  static std::map<QByteArray, Factory> registry;
  return registry;
}
}  // namespace

void RegisterClass(const QByteArray& className, Factory factory) { Registry()[className] = std::move(factory); }

bool IsRegistered(const QByteArray& className) { return Registry().count(className) != 0; }

TComponent* Create(const QByteArray& className, TComponent* owner) {
  auto it = Registry().find(className);
  return it == Registry().end() ? nullptr : it->second(owner);
}

}  // namespace ClassRegistry
