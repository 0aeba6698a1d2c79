// Arbitrary bytes as a document: the reader, the loader's messages and the
// inspector. A document that reads must write out and read back, and soon
// write out the same bytes again; anything else (a crash, a sanitizer report, an
// exception escaping) is a finding.
#include <QByteArray>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

#include "DocumentFormat.h"
#include "DocumentIO.h"
#include "DocumentInfo.h"
#include "DocumentPageSetup.h"
#include "UserInterface.h"
#include "Worksheet.h"

namespace {
// Counts what the loader tells the user; the target links no widgets.
class CountingUserInterface : public HeadlessUserInterface {
 public:
  TModalResult MessageBox(const QString&, const QString&, TMsgDlgButtons) override {
    ++Told;
    return mrOk;
  }
  void ShowError(const QString&) override { ++Told; }
  unsigned Told = 0;
};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Labels measure their text, which needs fonts and so a GUI application.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // No copy: reads past the end land on the fuzzer's exactly sized buffer.
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

  TWorksheet sheet;
  DocumentPageSetup setup;
  QByteArray version;
  const DocumentFormat::ReadResult r = DocumentFormat::ReadDocument(bytes, sheet, setup, version);
  // The inspector describes whatever the reader left, read whole or not.
  DocumentInfoJson(sheet, setup, version);
  if (r.Ok()) {
    // One pass may normalise (a label's ShowAccelChar true is its declared
    // default and so not written, while a new label starts with false);
    // from then on writing and reading must agree.
    QByteArray saved = BuildDocumentBytes(sheet, setup, version);
    for (int pass = 0; pass < 2; ++pass) {
      TWorksheet again;
      DocumentPageSetup againSetup;
      QByteArray againVersion;
      if (!DocumentFormat::ReadDocument(saved, again, againSetup, againVersion).Ok()) __builtin_trap();
      const QByteArray resaved = BuildDocumentBytes(again, againSetup, againVersion);
      if (pass == 1 && resaved != saved) __builtin_trap();
      saved = resaved;
    }
  } else if (r.Detail.isEmpty()) {
    __builtin_trap();
  }

  // The loader as the window calls it, answering its message.
  CountingUserInterface ui;
  SetUI(&ui);
  TWorksheet shown;
  DocumentPageSetup shownSetup;
  QByteArray shownVersion;
  const TOutcome result = LoadDocumentBytes(bytes, shown, shownSetup, shownVersion, {});
  SetUI(nullptr);
  if (result.Ok() != r.Ok() || ui.Told != (r.Ok() ? 0u : 1u)) __builtin_trap();
  return 0;
}
