// TForm3: undo and redo. The history lives here, beside the page setup it
// keeps with the card; the editor tells it of every change.
#include <QAction>
#include <QPlainTextEdit>

#include "CardSnapshot.h"
#include "Gridshape.h"
#include "Memo.h"
#include "Unit3.h"
#include "UndoHistory.h"
#include "WinControl.h"

void TForm3::WireUndo() {
  UndoHistory::Hooks hooks;
  hooks.Take = [this](const DocumentSnapshot* previous) {
    return DocumentSnapshot{DocumentSetup, TakeCardSnapshot(*this, previous ? &previous->Card : nullptr)};
  };
  hooks.Restore = [this](const DocumentSnapshot& snapshot, bool withSheetSettings) {
    RestoreDocument(snapshot, withSheetSettings);
  };
  hooks.GestureUnderWay = [this] { return GestureUnderWay(); };
  FHistory = std::make_unique<UndoHistory>(std::move(hooks));
  connect(FHistory.get(), &UndoHistory::StateChanged, this, [this] { UpdateUndoCommands(); });
  connect(EditUndo, &QAction::triggered, this, [this] { EditUndoClick(); });
  connect(EditRedo, &QAction::triggered, this, [this] { EditRedoClick(); });
}

void TForm3::CardChanged(int mergeKey) {
  // Restoring a card is not a change of its own.
  if (!FRestoring && FHistory) FHistory->Changed(mergeKey);
}

void TForm3::GestureEnded() {
  if (FHistory) FHistory->GestureEnded();
}

void TForm3::TextEntryChanged() {
  if (TextEditing && EditMemo) {
    QPlainTextEdit* editor = EditMemo->Editor();
    connect(editor, &QPlainTextEdit::undoAvailable, this, [this] { UpdateUndoCommands(); });
    connect(editor, &QPlainTextEdit::redoAvailable, this, [this] { UpdateUndoCommands(); });
  }
  UpdateUndoCommands();
}

void TForm3::UpdateUndoCommands() {
  if (!FHistory) return;
  bool undo = false, redo = false;
  if (TextEditing && EditMemo) {
    const QTextDocument* text = EditMemo->Editor()->document();
    undo = text->isUndoAvailable();
    redo = text->isRedoAvailable();
  } else if (DocumentOpen) {
    undo = FHistory->CanUndo();
    redo = FHistory->CanRedo();
  }
  EditUndo->setEnabled(undo);
  EditRedo->setEnabled(redo);
}

void TForm3::EditUndoClick() {
  if (TextEditing && EditMemo) {
    EditMemo->Editor()->undo();
    UpdateUndoCommands();
    return;
  }
  if (!DocumentOpen || GestureUnderWay()) return;
  // A selected text takes what its font boxes hold when the selection ends;
  // that is a change before the one undone.
  LeaveToolState();
  if (FHistory->Undo()) Modified = !FHistory->IsClean();
}

void TForm3::EditRedoClick() {
  if (TextEditing && EditMemo) {
    EditMemo->Editor()->redo();
    UpdateUndoCommands();
    return;
  }
  if (!DocumentOpen || GestureUnderWay()) return;
  LeaveToolState();
  if (FHistory->Redo()) Modified = !FHistory->IsClean();
}

void TForm3::RestoreDocument(const DocumentSnapshot& snapshot, bool withSheetSettings) {
  if (!DrawPanel) return;
  FRestoring = true;
  // Whether the page setup came from the older format is the file's matter,
  // not a state of the card.
  const bool legacy = DocumentSetup.LegacyPageSetup;
  DocumentSetup = snapshot.Setup;
  DocumentSetup.LegacyPageSetup = legacy;
  const int width = DocumentSetup.SheetWidthPx, height = DocumentSetup.SheetHeightPx;
  const bool resized = DrawPanel->Width() != width || DrawPanel->Height() != height;
  if (resized) {
    DrawPanel->SetBounds(DrawPanel->Left(), DrawPanel->Top(), width, height);
    if (GridShape) GridShape->SetBounds(GridShape->Left(), GridShape->Top(), width, height);
  }
  RestoreCard(snapshot.Card, withSheetSettings);
  if (resized) WorksheetResized();
  FRestoring = false;
  UpdatePasteCommand();
}
