// TForm3: the print preview command. The preview window is opened where it
// was last left, shows the open document on the current printer's sheet and
// leads to the page setup and print commands of this window.
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

#include "PreviewForm.h"
#include "QPrinterDevice.h"
#include "Unit3.h"

void TForm3::FilePreviewClick() {
  if (!DocumentOpen || !DrawPanel) return;
  // Text being typed belongs to the card that is shown.
  if (TextEditing) CloseTextEditor();

  TPreviewHooks hooks;
  hooks.Print = [this] { FilePrintClick(); };
  ShowPreview(std::move(hooks));
}

void TForm3::ShowPreview(TPreviewHooks hooks) {
  std::unique_ptr<IPrintDevice> device;
  hooks.Device = [this, &device] {
    device = PreviewDevice();
    return device.get();
  };
  hooks.Document = [this] {
    return DrawPanel ? TPreviewDocument{&DocumentSetup, BGImage, ObjectList} : TPreviewDocument{};
  };
  // The printer may change through the print dialog; its corrections with it.
  hooks.Calibration = [this] { return PrinterCalibration(CurrentPrinterName()); };
  hooks.PageSetup = [this] { FilePrintSetupClick(); };
  TPreviewForm form(std::move(hooks), this);

  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  form.OpenAt(SanitizeWindowBounds(WindowSettings.PreviewLeft, WindowSettings.PreviewTop, WindowSettings.PreviewWidth,
                                   WindowSettings.PreviewHeight, screens),
              WindowSettings.PreviewMaximized != 0);
  ShowPreviewModal(form);

  const TRememberedBounds kept = form.RememberedBounds();
  WindowSettings.PreviewTop = kept.Bounds.top();
  WindowSettings.PreviewLeft = kept.Bounds.left();
  WindowSettings.PreviewHeight = kept.Bounds.height();
  WindowSettings.PreviewWidth = kept.Bounds.width();
  WindowSettings.PreviewMaximized = kept.Maximized ? 1 : 0;
}

void TForm3::ShowPreviewModal(TPreviewForm& form) { form.exec(); }

std::unique_ptr<IPrintDevice> TForm3::PreviewDevice() {
  // The printer a print starts from: the one last chosen, at first the
  // system's default (Qt's PDF output when none is installed).
  return std::make_unique<QPrinterDevice>(CurrentPrinter());
}
