// TForm2: cut, copy and paste of card objects through the system clipboard,
// and of text while it is typed in place.
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollArea>

#include <exception>
#include <memory>

#include "Clipboard.h"
#include "CommonText.h"
#include "Errors.h"
#include "Image.h"
#include "Labelex.h"
#include "Memo.h"
#include "Messages.h"
#include "Picture.h"
#include "Qushape.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "Unit2.h"
#include "UserInterface.h"
#include "WinControl.h"

namespace {

// Messages of our own for clipboard content that cannot become an object.
constexpr int kDamagedComponent = 1450;
constexpr int kNotACardObject = 1451;
constexpr int kPictureTooLarge = 1452;

// The plain message for a clipboard with nothing usable, titled with the
// application's title.
void ShowClipboardError() {
  UI().MessageBox(QStringLiteral("Clipboard Error"), LoadStr(CommonText::ProgramName), mbOK);
}

// The hourglass while copying; the cursor before it comes back however the
// copy ends.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void TForm2::WireClipboardCommands() {
  connect(EditCut, &QAction::triggered, this, [this] { EditCutClick(); });
  connect(EditCopy, &QAction::triggered, this, [this] { EditCopyClick(); });
  connect(EditPaste, &QAction::triggered, this, [this] { EditPasteClick(); });
  CutButton->OnClick = [this] { EditCutClick(); };
  CopyButton->OnClick = [this] { EditCopyClick(); };
  PasteButton->OnClick = [this] { EditPasteClick(); };
}

void TForm2::CopySelection() {
  WaitCursor wait;
  if (TextEditing) {
    if (EditMemo) EditMemo->Editor()->copy();
  } else {
    if (!HasSelection || !SelectedObject) return;
    TClipboard clipboard;
    // The formats of one copy replace the earlier content together.
    clipboard.Open();
    clipboard.SetComponent(*SelectedObject);
    if (auto* image = dynamic_cast<TImage*>(SelectedObject)) {
      if (const TGraphic* graphic = image->Picture()->Graphic()) clipboard.SetPicture(*graphic);
    } else if (auto* label = dynamic_cast<TLabelEx*>(SelectedObject)) {
      clipboard.SetAsText(label->Caption());
    }
    clipboard.Close();
  }
  PasteButton->setEnabled(true);
  EditPaste->setEnabled(true);
}

void TForm2::EditCutClick() {
  CopySelection();
  if (TextEditing) {
    if (!EditMemo) return;
    EditMemo->Editor()->textCursor().removeSelectedText();
    EditMemoKeyUp();
  } else if (HasSelection && SelectedObject) {
    DeleteObject(SelectedObject);
  }
}

void TForm2::EditCopyClick() { CopySelection(); }

void TForm2::EditPasteClick() {
  if (HasSelection) Deselect();
  if (TextEditing) {
    if (!EditMemo) return;
    EditMemo->Editor()->paste();
    EditMemoKeyUp();  // the memo shows its whole text
    return;
  }
  if (!DrawPanel) return;

  TClipboard clipboard;
  bool pasted = false;
  if (clipboard.HasFormat(TClipboardFormat::Component)) {
    pasted = PasteComponent(clipboard);
  } else if (const QString text = clipboard.HasFormat(TClipboardFormat::Text) ? clipboard.AsText() : QString();
             !text.isEmpty()) {
    PasteText(text);
    pasted = true;
  } else if (clipboard.HasFormat(TClipboardFormat::Bitmap)) {
    pasted = PastePicture(clipboard);
  } else {
    ShowClipboardError();
  }
  if (pasted) MarkModified();
}

bool TForm2::PasteComponent(TClipboard& clipboard) {
  // Only card objects are made, each whole or not at all: the clipboard may
  // hold anything another program put under our format.
  static const std::set<QByteArray> cardClasses = {TQuShape::StaticClassInfo().ClassName(),
                                                   TImage::StaticClassInfo().ClassName(),
                                                   TLabelEx::StaticClassInfo().ClassName()};
  TComponent* made = nullptr;
  try {
    made = clipboard.GetComponent(DrawPanel, DrawPanel, cardClasses);
  } catch (const EClassNotFound&) {
    ShowMessageId(kNotACardObject);
    return false;
  } catch (const std::exception&) {
    ShowMessageId(kDamagedComponent);
    return false;
  }
  auto* object = dynamic_cast<TControl*>(made);
  if (!object) {
    delete made;
    ShowMessageId(kNotACardObject);
    return false;
  }
  object->SetName({});  // objects made here are unnamed
  if (auto* shape = dynamic_cast<TQuShape*>(object)) {
    shape->SetLeft(0);
    shape->SetTop(0);
    CurShape = shape;
  } else {
    object->SetBounds(0, 0, object->Width(), object->Height());
    if (auto* image = dynamic_cast<TImage*>(object)) CurImage = image;
    else if (auto* label = dynamic_cast<TLabelEx*>(object)) CurLabel = label;
  }
  AttachObject(object);
  return true;
}

void TForm2::PasteText(const QString& text) {
  // The label keeps the worksheet's own font, the window font.
  auto* label = new TLabelEx(DrawPanel);
  label->SetParent(DrawPanel);
  label->SetCursor(crHandPoint);
  label->SetBounds(0, 0, label->Width(), label->Height());
  label->SetTransparent(true);
  label->SetCaption(text);
  FitLabel(label);
  AttachObject(label);
}

bool TForm2::PastePicture(TClipboard& clipboard) {
  TClipboardPicture picture = clipboard.GetPicture();
  switch (picture.Result) {
    case TClipboardPicture::Ok: break;
    case TClipboardPicture::TooLarge: ShowMessageId(kPictureTooLarge); return false;
    case TClipboardPicture::None:
    case TClipboardPicture::Unreadable: ShowClipboardError(); return false;
  }
  auto* image = new TImage(DrawPanel);
  image->SetParent(DrawPanel);
  image->SetCursor(crHandPoint);
  image->Picture()->SetGraphic(std::move(picture.Bitmap));
  image->SetAutoSize(true);  // takes the picture's size
  image->SetAutoSize(false);
  image->SetStretch(true);
  image->SetBounds(0, 0, image->Width(), image->Height());
  image->SetTag(0);
  AttachObject(image);
  return true;
}

bool TForm2::WorksheetHasKeyboardFocus() const {
  // The focus sink takes the focus whenever an object is selected; a key
  // typed into a font box or the in-place editor belongs to that box.
  const QWidget* focus = QApplication::focusWidget();
  if (!focus || focus == this || focus == TestMemo) return true;
  if (EditMemo && focus == EditMemo->NativeWidget()) return false;
  return focus == ScrollBox0 || ScrollBox0->isAncestorOf(focus);
}
