#include "UndoHistory.h"

#include <QTimer>
#include <QUndoCommand>

namespace {
constexpr int kMergeableStep = 1;
}  // namespace

class UndoHistory::Step : public QUndoCommand {
 public:
  Step(UndoHistory& history, std::shared_ptr<const DocumentSnapshot> before,
       std::shared_ptr<const DocumentSnapshot> after, int mergeKey, bool sheetSettings)
      : FHistory(history),
        FBefore(std::move(before)),
        FAfter(std::move(after)),
        FMergeKey(mergeKey),
        FSheetSettings(sheetSettings) {}

  int id() const override { return FMergeKey != 0 ? kMergeableStep : -1; }

  bool mergeWith(const QUndoCommand* other) override {
    auto* next = static_cast<const Step*>(other);
    if (next->FMergeKey != FMergeKey || next->FSheetSettings || FSheetSettings) return false;
    FAfter = next->FAfter;
    return true;
  }

  void undo() override { FHistory.Apply(FBefore, FSheetSettings); }

  void redo() override {
    // Pushed once the change is made: the first redo has nothing to do.
    if (FDone) FHistory.Apply(FAfter, FSheetSettings);
    FDone = true;
  }

 private:
  UndoHistory& FHistory;
  std::shared_ptr<const DocumentSnapshot> FBefore, FAfter;
  int FMergeKey;
  bool FSheetSettings;
  bool FDone = false;
};

UndoHistory::UndoHistory(Hooks hooks, QObject* parent) : QObject(parent), FHooks(std::move(hooks)) {
  FStack.setUndoLimit(Limit);
  connect(&FStack, &QUndoStack::canUndoChanged, this, &UndoHistory::StateChanged);
  connect(&FStack, &QUndoStack::canRedoChanged, this, &UndoHistory::StateChanged);
}

UndoHistory::~UndoHistory() {
  // The steps call back into this object while they go.
  FStack.disconnect(this);
  FStack.clear();
}

std::shared_ptr<const DocumentSnapshot> UndoHistory::Take() {
  return std::make_shared<const DocumentSnapshot>(FHooks.Take ? FHooks.Take(FCurrent.get()) : DocumentSnapshot{});
}

void UndoHistory::Reset(bool clean) {
  FPending = false;
  FPendingKey = 0;
  FSheetResetBefore.reset();
  FStack.clear();
  FCurrent.reset();
  FCurrent = Take();
  if (!clean) FStack.resetClean();
  emit StateChanged();
}

void UndoHistory::Changed(int mergeKey) {
  if (!FPending) FPendingKey = mergeKey;
  else if (FPendingKey != mergeKey) FPendingKey = 0;
  FPending = true;
  Schedule();
  emit StateChanged();
}

void UndoHistory::BeforeSheetReset() {
  Flush();
  FSheetResetBefore = Take();
}

void UndoHistory::GestureEnded() {
  if (FPending) Schedule();
}

void UndoHistory::Schedule() {
  if (FScheduled) return;
  FScheduled = true;
  // After the event at hand, so that a change made of several edits (a text
  // closed, a selection ended) is whole.
  QTimer::singleShot(0, this, [this] {
    FScheduled = false;
    if (FHooks.GestureUnderWay && FHooks.GestureUnderWay()) return;  // GestureEnded comes back
    Flush();
  });
}

void UndoHistory::Flush() {
  if (!FPending) return;
  FPending = false;
  const bool sheetSettings = FSheetResetBefore != nullptr;
  std::shared_ptr<const DocumentSnapshot> before = sheetSettings ? std::move(FSheetResetBefore) : FCurrent;
  FSheetResetBefore.reset();
  std::shared_ptr<const DocumentSnapshot> after = Take();
  FCurrent = after;
  FStack.push(new Step(*this, std::move(before), std::move(after), sheetSettings ? 0 : FPendingKey, sheetSettings));
  FPendingKey = 0;
  emit StateChanged();
}

bool UndoHistory::CanUndo() const { return FPending || FStack.canUndo(); }

bool UndoHistory::CanRedo() const { return !FPending && FStack.canRedo(); }

bool UndoHistory::Undo() {
  if (FHooks.GestureUnderWay && FHooks.GestureUnderWay()) return false;
  Flush();
  if (!FStack.canUndo()) return false;
  FStack.undo();
  emit StateChanged();
  return true;
}

bool UndoHistory::Redo() {
  if (FHooks.GestureUnderWay && FHooks.GestureUnderWay()) return false;
  Flush();
  if (!FStack.canRedo()) return false;
  FStack.redo();
  emit StateChanged();
  return true;
}

void UndoHistory::Saved() {
  Flush();
  FStack.setClean();
}

void UndoHistory::ForgetSaved() { FStack.resetClean(); }

void UndoHistory::Apply(const std::shared_ptr<const DocumentSnapshot>& state, bool withSheetSettings) {
  FCurrent = state;
  if (FHooks.Restore && state) FHooks.Restore(*state, withSheetSettings);
}
