// From choosing a template in the start wizard to the card on screen: the
// template read with LoadDocumentFile onto a worksheet and painted once.
// Uses the templates beside the executable (bin/Template), the largest file
// unless TESSOLO_TEMPLATE names another.
//
//   BM_TemplateOntoWorksheet  a plain worksheet, painted into an image
//   BM_TemplateOntoEditor     the editor window (shown): its worksheet
//                             rebuilt, every object attached, the view
//                             repainted
// Before the benchmarks, the first load and paint in a fresh process (fonts
// and glyphs not yet cached) is timed once and printed. Aim: 150 ms.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "DocumentIO.h"
#include "DocumentPageSetup.h"
#include "FontSubstitution.h"
#include "PanelView.h"
#include "Unit2.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

QString TemplatePath() {
  static const QString path = [] {
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/Template"));
    if (const QByteArray named = qgetenv("TESSOLO_TEMPLATE"); !named.isEmpty())
      return folder.filePath(QString::fromLocal8Bit(named));
    QString largest;
    qint64 size = -1;
    for (const QFileInfo& f : folder.entryInfoList({QStringLiteral("*.tpl")}, QDir::Files))
      if (f.size() > size) size = f.size(), largest = f.filePath();
    return largest;
  }();
  return path;
}

bool LoadAndPaint(QImage& canvas) {
  TWorksheet sheet;
  DocumentPageSetup setup;
  QByteArray version;
  if (!LoadDocumentFile(TemplatePath(), sheet, setup, version, {}).Ok()) return false;
  QPainter p(&canvas);
  sheet.DrawPanel->PaintTo(p, 0, 0);
  return true;
}

void BM_TemplateOntoWorksheet(benchmark::State& state) {
  QImage canvas(1000, 1000, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state)
    if (!LoadAndPaint(canvas)) state.SkipWithError("the template does not load");
}
BENCHMARK(BM_TemplateOntoWorksheet)->Unit(benchmark::kMillisecond);

struct Editor {
  std::unique_ptr<TForm2> Form = std::make_unique<TForm2>();
  DocumentPageSetup Setup;
  QByteArray Version;
  Editor() {
    Form->resize(900, 700);
    Form->show();
    QApplication::processEvents();
  }
  bool Load() {
    DocumentLoadHooks hooks;
    hooks.ResetWorksheet = [this] { Form->ResetEditorWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx); };
    hooks.AttachObject = [this](TControl* c) { Form->AttachObject(c); };
    if (!LoadDocumentFile(TemplatePath(), *Form, Setup, Version, hooks).Ok()) return false;
    Form->DrawView->repaint();
    return true;
  }
};

void BM_TemplateOntoEditor(benchmark::State& state) {
  Editor editor;
  for (auto _ : state)
    if (!editor.Load()) state.SkipWithError("the template does not load");
}
BENCHMARK(BM_TemplateOntoEditor)->Unit(benchmark::kMillisecond);

}  // namespace
