#include "ColorDialog.h"

#include "UserInterface.h"

const TClassInfo& TStringsProperty::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TStrings", nullptr);
    c.Add(Published<TStringsProperty>::List(
        "Strings", [](const TStringsProperty& s) { return *s.Target(); },
        [](TStringsProperty& s, const QStringList& v) { *s.Target() = v; }));
    return c;
  }();
  return info;
}

const TClassInfo& TColorDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TColorDialog>;
    TClassInfo c("TColorDialog", &TComponent::StaticClassInfo());
    c.Add(P::Bool("Ctl3D", [](const TColorDialog& d) { return d.Ctl3D(); },
                  [](TColorDialog& d, bool v) { d.SetCtl3D(v); }, false));
    c.Add(P::Integer("HelpContext", [](const TColorDialog& d) { return d.HelpContext(); },
                     [](TColorDialog& d, int64_t v) { d.SetHelpContext(int(v)); }, 0));
    c.Add(P::Ordinal("Color", TPropKind::Color, [](const TColorDialog& d) { return d.Color(); },
                     [](TColorDialog& d, int64_t v) { d.SetColor(TColor(v)); }, clBlack));
    // CustomColors is a string list; its lines stream as CustomColors.Strings.
    TPropInfo custom;
    custom.Name = "CustomColors";
    custom.Kind = TPropKind::Object;
    custom.GetObj = [](TPersistent& o) -> TPersistent* {
      return static_cast<TColorDialog&>(o).CustomColorsProperty();
    };
    c.Add(custom);
    c.Add(P::Set("Options", Identifiers::ColorDialogOptions(), [](const TColorDialog& d) { return d.Options(); },
                 [](TColorDialog& d, int64_t v) { d.SetOptions(v); }, 0));
    return c;
  }();
  return info;
}

bool TColorDialog::Execute() {
  TColorRequest request;
  request.Color = FColor;
  request.CustomColors = FCustomColors;
  const std::optional<TColorReply> reply = UI().ChooseColor(request);
  if (!reply) return false;
  FColor = reply->Color;
  if (!reply->CustomColors.isEmpty()) FCustomColors = reply->CustomColors;
  return true;
}
