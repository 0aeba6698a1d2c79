#include "Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  // Owned components go first, newest first, each removing itself.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner) FOwner->RemoveComponent(this);
}

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TComponent", nullptr);
    c.Add(Published<TComponent>::Integer(
        "Tag", [](const TComponent& o) { return o.Tag(); }, [](TComponent& o, int64_t v) { o.SetTag(int32_t(v)); },
        0));
    return c;
  }();
  return info;
}

void TComponent::InsertComponent(TComponent* c) {
  if (c->FOwner) c->FOwner->RemoveComponent(c);
  c->FOwner = this;
  FComponents.push_back(c);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(FComponents.begin(), FComponents.end(), c);
  if (it != FComponents.end()) FComponents.erase(it);
  c->FOwner = nullptr;
}
