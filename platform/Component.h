#pragma once
// TComponent: owner, name and Tag. An owner destroys the components it owns.
#include <QByteArray>

#include <vector>

#include "TypInfo.h"

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TComponent* Owner() const { return FOwner; }
  const QByteArray& Name() const { return FName; }
  void SetName(const QByteArray& name) { FName = name; }
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t tag) { FTag = tag; }

  const std::vector<TComponent*>& Components() const { return FComponents; }
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  // Called by the stream reader after all properties of a component were read.
  virtual void Loaded() { FLoading = false; }
  bool Loading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }

 private:
  TComponent* FOwner = nullptr;
  QByteArray FName;
  int32_t FTag = 0;
  bool FLoading = false;
  std::vector<TComponent*> FComponents;
};
