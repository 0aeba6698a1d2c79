#pragma once
// Classes registered for component streaming, created by class name.
#include <QByteArray>

#include <functional>

class TComponent;

namespace ClassRegistry {

using Factory = std::function<TComponent*(TComponent* owner)>;

void RegisterClass(const QByteArray& className, Factory factory);
template <class T>
void RegisterClass() {
  RegisterClass(T::StaticClassInfo().ClassName(), [](TComponent* owner) -> TComponent* { return new T(owner); });
}
bool IsRegistered(const QByteArray& className);
// Creates an instance or returns nullptr when the name is not registered.
TComponent* Create(const QByteArray& className, TComponent* owner);

}  // namespace ClassRegistry
