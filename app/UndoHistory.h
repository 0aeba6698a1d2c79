#pragma once
// Undo and redo of every change to the document. A step holds the document
// before and after as snapshots (page setup and card); consecutive snapshots
// share what did not change, pictures included, so a step costs the objects
// it changed. Changes are noted where MarkModified funnels them and recorded
// as one step once the event at hand, and any drag under way, is over; a run
// of changes with the same merge key (an arrow-key burst) stays one step.
// The stack's clean index is the state last saved or opened.
#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>

#include "CardSnapshot.h"
#include "DocumentPageSetup.h"

struct DocumentSnapshot {
  DocumentPageSetup Setup;
  CardSnapshot Card;
};

class UndoHistory : public QObject {
  Q_OBJECT
 public:
  static constexpr int Limit = 100;

  struct Hooks {
    // The document as it stands, sharing what previous holds unchanged.
    std::function<DocumentSnapshot(const DocumentSnapshot* previous)> Take;
    // Puts a snapshot in place; withSheetSettings for the steps that reset
    // the grid spacing and the custom colours too (clearing the worksheet).
    std::function<void(const DocumentSnapshot&, bool withSheetSettings)> Restore;
    // A mouse button is held on the worksheet: its changes are one step.
    std::function<bool()> GestureUnderWay;
  };

  explicit UndoHistory(Hooks hooks, QObject* parent = nullptr);
  ~UndoHistory() override;

  // A document was made, opened or removed: no steps; the present state is
  // the base, saved (clean) or not.
  void Reset(bool clean);
  // The document changed; recorded later as one step. Changes with the same
  // non-zero mergeKey in a row, with nothing else between, make one step.
  void Changed(int mergeKey = 0);
  // The next change also resets the grid spacing and the custom colours:
  // what they are now is kept as its before.
  void BeforeSheetReset();
  // The mouse was released: a pending change may be recorded.
  void GestureEnded();
  // Records a pending change now.
  void Flush();

  bool CanUndo() const;
  bool CanRedo() const;
  // False when there was nothing to undo (redo) or a gesture is under way.
  bool Undo();
  bool Redo();

  // The present state is the one on disk.
  void Saved();
  // The state on disk is no longer known to be any in the history.
  void ForgetSaved();
  bool IsClean() const { return !FPending && FStack.isClean(); }
  int Steps() const { return FStack.count(); }
  int Position() const { return FStack.index(); }

 signals:
  // Whether undo or redo is possible may have changed.
  void StateChanged();

 private:
  class Step;
  void Apply(const std::shared_ptr<const DocumentSnapshot>& state, bool withSheetSettings);
  void Schedule();
  std::shared_ptr<const DocumentSnapshot> Take();

  Hooks FHooks;
  QUndoStack FStack;
  std::shared_ptr<const DocumentSnapshot> FCurrent;  // the state after the last step done
  std::shared_ptr<const DocumentSnapshot> FSheetResetBefore;
  bool FPending = false;
  int FPendingKey = 0;
  bool FScheduled = false;
};
