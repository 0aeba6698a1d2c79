#include "CardComposition.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "Canvas.h"
#include "ClassRegistry.h"
#include "ComponentStream.h"
#include "Errors.h"
#include "Image.h"
#include "Labelex.h"
#include "QrCode.h"
#include "Qushape.h"
#include "WinControl.h"

namespace {

// Copies are created by class name; a headless caller may not have
// constructed the editor, which registers them otherwise.
void RegisterCopyClasses() {
  static const bool done = [] {
    if (!ClassRegistry::IsRegistered("TQuShape")) ClassRegistry::RegisterClass<TQuShape>();
    if (!ClassRegistry::IsRegistered("TImage")) ClassRegistry::RegisterClass<TImage>();
    if (!ClassRegistry::IsRegistered("TLabelEx")) ClassRegistry::RegisterClass<TLabelEx>();
    return true;
  }();
  (void)done;
}

bool IsClass(const TControl& c, const char* name) { return c.ClassInfo().ClassName() == name; }

}  // namespace

void WidenLabel(TLabelEx& label) {
  TCanvas& canvas = *label.Canvas();
  const int extra = canvas.SetTextCharacterExtra(0);
  canvas.Font()->Assign(*label.Font());
  const int room = canvas.TextWidth(QStringLiteral("aaaa"));
  canvas.SetTextCharacterExtra(extra);
  label.SetAutoSize(true);
  const int fitted = label.Width();
  label.SetAutoSize(false);
  label.SetWidth(fitted + room);
}

namespace {

// trunc(u * value / 100 + 0.5), kept within int.
int ScaleValue(int u, int value) {
  const double v = std::trunc(double(u) * value / 100.0 + 0.5);
  return int(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}

}  // namespace

TCardComposition::TCardComposition() = default;
TCardComposition::~TCardComposition() = default;
TCardComposition::TCardComposition(TCardComposition&&) noexcept = default;
TCardComposition& TCardComposition::operator=(TCardComposition&&) noexcept = default;

TControl* StreamCopy(const TControl& source, TWinControl* parent) {
  RegisterCopyClasses();
  const QByteArray bytes = ComponentStream::WriteComponent(source);
  TComponent* copy = nullptr;
  try {
    copy = ComponentStream::ReadNewComponent(bytes, parent, parent);
  } catch (const EClassNotFound&) {
    return nullptr;
  }
  if (auto* control = dynamic_cast<TControl*>(copy)) return control;
  delete copy;
  return nullptr;
}

TCardComposition ComposeCard(const TImage* background, const std::vector<TControl*>& objects, int widthPx,
                             int heightPx, bool widenLabels) {
  TCardComposition card;
  card.Panel = std::make_unique<TPanel>(nullptr);
  TPanel& panel = *card.Panel;
  panel.SetName("PrintPanel");
  panel.SetCaption(QStringLiteral("   "));
  panel.SetColor(clWindow);
  panel.SetVisible(false);
  panel.SetBounds(0, 0, widthPx, heightPx);

  // Text that takes the worksheet's font keeps it, as a font of its own so
  // that scaling reaches it.
  const TControl* source = background ? background : objects.empty() ? nullptr : objects.front();
  if (source && source->Parent()) panel.SetFont(source->Parent()->Font());

  if (background) card.Background = dynamic_cast<TImage*>(StreamCopy(*background, &panel));
  for (TControl* object : objects) {
    if (!object) continue;
    const bool shape = IsClass(*object, "TQuShape"), label = IsClass(*object, "TLabelEx"),
               picture = IsClass(*object, "TImage");
    if (!shape && !label && !picture) continue;
    TControl* copy = StreamCopy(*object, &panel);
    if (!copy) continue;
    card.Copies.push_back(copy);
    copy->SetParentFont(false);
    if (auto* image = dynamic_cast<TImage*>(copy)) {
      // A picture follows its bounds when scaled, even one that sized itself
      // to its picture on the worksheet.
      image->SetAutoSize(false);
      image->SetStretch(true);
      image->SetPixelExact(IsQrCode(*image));
    } else if (auto* text = dynamic_cast<TLabelEx*>(copy); text && widenLabels) {
      WidenLabel(*text);
    }
  }
  return card;
}

void WidenLabels(TCardComposition& card) {
  for (TControl* copy : card.Copies)
    if (auto* label = dynamic_cast<TLabelEx*>(copy)) WidenLabel(*label);
}

void ScaleComposition(TCardComposition& card, int u) {
  if (!card.Panel) return;
  card.Panel->ScaleBy(u, 100);
  for (TControl* copy : card.Copies) {
    if (auto* shape = dynamic_cast<TQuShape*>(copy)) {
      // ScaleBy moved only the control's bounds; the logical rectangle and
      // the pen, from which the bounds follow, are scaled here.
      shape->SetTop(ScaleValue(u, shape->Top()));
      shape->SetLeft(ScaleValue(u, shape->Left()));
      shape->SetWidth(ScaleValue(u, shape->Width()));
      shape->SetHeight(ScaleValue(u, shape->Height()));
      shape->Pen()->SetWidth(ScaleValue(u, shape->Pen()->Width()));
    } else if (auto* label = dynamic_cast<TLabelEx*>(copy)) {
      label->SetGap(ScaleValue(u, label->Gap()));
    }
  }
}
