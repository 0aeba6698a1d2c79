// Arbitrary bytes as a document that is then painted: the worksheet as the
// window shows it, whole and in a small damaged area, and the sheet of cards
// as printing composes it, onto an image device. Reading is DocumentFuzz's
// concern; here a crash, a sanitizer report, an exception escaping or a
// paint that hangs is a finding.
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "DocumentFormat.h"
#include "DocumentPageSetup.h"
#include "FontSubstitution.h"
#include "ImagePrintDevice.h"
#include "PrintJob.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

// An A4 printer of 4 pixels per millimetre with a printable area inset a
// little, as real printers have it; small, so that a run stays quick.
const TImageDeviceCaps kPrinter{800, 1150, 200, 287, 840, 1188, 20, 19};
// The window shows no more of the worksheet than this.
constexpr int MaxShown = 1200;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  InstallFontSubstitutions();  // cards name Windows fonts
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  TWorksheet sheet;
  DocumentPageSetup setup;
  QByteArray version;
  if (!DocumentFormat::ReadDocument(bytes, sheet, setup, version).Ok() || !sheet.DrawPanel) return 0;

  TPanel& panel = *sheet.DrawPanel;
  QImage shown(std::clamp(panel.Width(), 1, MaxShown), std::clamp(panel.Height(), 1, MaxShown),
               QImage::Format_RGB32);
  if (shown.isNull()) return 0;
  {
    QPainter painter(&shown);
    panel.PaintTo(painter, 0, 0);
  }
  {
    QPainter painter(&shown);
    painter.setClipRect(QRect(shown.width() / 3, shown.height() / 3, 17, 11));
    panel.PaintTo(painter, 0, 0);
  }

  ImagePrintDevice device(kPrinter);
  const TOutcome printed = PrintCardSheet(device, sheet.BGImage, sheet.ObjectList, setup);
  if (!printed.Ok() && printed.Reason().isEmpty()) __builtin_trap();
  return 0;
}
