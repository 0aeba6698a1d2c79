#include "CommandLine.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "AtomicFile.h"
#include "CalibrationSheet.h"
#include "CalibrationStore.h"
#include "CalibrationText.h"
#include "CardImage.h"
#include "CommonText.h"
#include "DocumentFormat.h"
#include "DocumentInfo.h"
#include "DocumentPageSetup.h"
#include "FontSubstitution.h"
#include "MergeList.h"
#include "MergeMessages.h"
#include "MergePrintJob.h"
#include "OutputFile.h"
#include "OwnSettings.h"
#include "PdfPaper.h"
#include "PdfPrintDevice.h"
#include "PrintMessages.h"
#include "ProgramFolders.h"
#include "PrintJob.h"
#include "StringTable.h"
#include "Version.h"
#include "Worksheet.h"

namespace {

enum ExitCode { exDone = 0, exFailed = 1, exUsage = 2 };

// What is wrong with the arguments, before the usage text.
constexpr int kInfoNeedsOneDocument = 1546;
constexpr int kValueMissing = 1547;           // "%1": the option
constexpr int kBadScale = 1548;               // "%1": the value given
constexpr int kNeedsOutputAndDocument = 1549; // "%1": the command
constexpr int kBadPaper = 1550;               // "%1": the value given
constexpr int kBadResolution = 1551;          // "%1": the value given
constexpr int kPixelsPerMm = 5;

const char kUsage[] =
    "Usage: tessolo [FILE.tsl]\n"
    "       tessolo --version | --help\n"
    "       tessolo --info FILE\n"
    "       tessolo --export-png OUT.png FILE [--scale N]\n"
    "       tessolo --print-pdf OUT.pdf FILE [--paper NAME|WxH] [--dpi N] [--printer NAME]\n"
    "                           [--merge LIST.csv [--merge-layout sheet|cell]]\n"
    "       tessolo --calibration-sheet OUT.pdf [--paper NAME|WxH] [--dpi N] [FILE]\n"
    "\n"
    "  --version     print the program's version; --help prints this text\n"
    "  --info        print a JSON description of the document\n"
    "  --export-png  paint the card into a PNG image, N output pixels per\n"
    "                worksheet pixel (default 1; one worksheet pixel is 0.2 mm)\n"
    "  --print-pdf   print the sheet of cards into a PDF file as the printer\n"
    "                would: paper A3, A4, A5, B4, B5, Letter, Legal or WxH in mm\n"
    "                (default the document's paper, else A4), no margins,\n"
    "                N dots per inch (72 to 2400, default 600); with --printer,\n"
    "                moved and scaled by that printer's corrections in\n"
    "                tessolo.ini, for a PDF to be printed there later\n"
    "  --merge       print the card once for every row of LIST (CSV or TSV,\n"
    "                UTF-8 or Shift-JIS, the first row naming the columns);\n"
    "                {column} in a text or QR code takes that row's cell.\n"
    "                --merge-layout sheet (default): a whole sheet per row;\n"
    "                cell: the rows fill the cells in order, across then down\n"
    "  --calibration-sheet  print the sheet for measuring a printer's\n"
    "                corrections into a PDF file: crosses where the page setup\n"
    "                of FILE (default: 2 x 5 cards of 91 x 55 mm) puts the\n"
    "                corners of the block of cards and at the centre, and\n"
    "                100 mm rulers; paper and resolution as for --print-pdf\n";

void Print(FILE* to, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

int Usage(const QString& problem) {
  Print(stderr, QStringLiteral("tessolo: %1\n").arg(problem));
  std::fputs(kUsage, stderr);
  return exUsage;
}

int Version() {
  std::printf("tessolo %s\n", VersionString);
  return exDone;
}

// The usage, then where this program reads and writes its files.
int Help() {
  std::fputs(kUsage, stdout);
  const ProgramFolders folders = ProgramFolders::ForThisProgram();
  Print(stdout, QStringLiteral("\nDelivered files (templates, setups, pictures, help): %1\n"
                               "Settings and the user's page setups: %2\n")
                    .arg(folders.DataFolder(), folders.WritableFolder()));
  return exDone;
}

struct LoadedDocument {
  TWorksheet Sheet;
  DocumentPageSetup Setup;
  QByteArray Version;
};

// Why a document could not be read, in the program's language.
int ReasonId(DocumentFormat::ReadError error) {
  switch (error) {
    case DocumentFormat::ReadError::TooShort: return CommonText::FileTooShort;
    case DocumentFormat::ReadError::BadHeader: return CommonText::BadCardSize;
    case DocumentFormat::ReadError::UnknownTag: return CommonText::UnknownData;
    default: return CommonText::FileDamaged;
  }
}

// Reads path; on failure says why on standard error (message 1002 first for a
// file that is not a document, then the reason and where it lies).
bool Load(const QString& path, LoadedDocument& doc) {
  const TOutcomeOf<QByteArray> bytes = ReadDocumentFileBytes(path);
  if (!bytes.Ok()) {
    const QString first = DocumentTooLarge(bytes) ? LoadStr(CommonText::InvalidFile) + QLatin1Char('\n') +
                                                        LoadStr(CommonText::FileTooLarge)
                                                  : LoadStr(CommonText::CannotReadFile);
    Print(stderr, first + QLatin1Char('\n') + bytes.Reason() + QLatin1Char('\n'));
    return false;
  }
  const DocumentFormat::ReadResult r = DocumentFormat::ReadDocument(bytes.Value(), doc.Sheet, doc.Setup, doc.Version);
  if (!r.Ok()) {
    Print(stderr, LoadStr(CommonText::InvalidFile) + QLatin1Char('\n') + LoadStr(ReasonId(r.Error)) +
                      QLatin1Char('\n') + r.Detail + QLatin1Char('\n'));
    return false;
  }
  return true;
}

// An output that cannot be written is found before any work; one that is
// the document itself would destroy what it is made from. messageId: the
// command's own first line, with %1 for the reason.
bool RefuseOutput(const QString& out, const QString& document, int messageId) {
  if (SameFile(out, document)) {
    Print(stderr, LoadStr(PrintText::OutputIsDocument).arg(QDir::toNativeSeparators(out)) + QLatin1Char('\n'));
    return true;
  }
  const QString why = OutputFileProblem(out);
  if (why.isEmpty()) return false;
  const QString message = OutputFileMessage(out, why);
  Print(stderr, (messageId ? LoadStr(messageId).arg(message) : message) + QLatin1Char('\n'));
  return true;
}

int Info(const QStringList& args) {
  if (args.size() != 1) return Usage(LoadStr(kInfoNeedsOneDocument));
  LoadedDocument doc;
  if (!Load(args[0], doc)) return exFailed;
  const QByteArray json = DocumentInfoJson(doc.Sheet, doc.Setup, doc.Version);
  std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
  return std::fflush(stdout) == 0 ? exDone : exFailed;
}

int ExportPng(const QStringList& args) {
  QStringList files;
  double scale = 1.0;
  for (qsizetype i = 0; i < args.size(); ++i) {
    QString value;
    if (args[i] == QLatin1String("--scale")) {
      if (++i == args.size()) return Usage(LoadStr(kValueMissing).arg(QStringLiteral("--scale")));
      value = args[i];
    } else if (args[i].startsWith(QLatin1String("--scale="))) {
      value = args[i].mid(8);
    } else {
      files << args[i];
      continue;
    }
    bool ok = false;
    scale = value.toDouble(&ok);
    if (!ok || !std::isfinite(scale) || scale <= 0)
      return Usage(LoadStr(kBadScale).arg(value));
  }
  if (files.size() != 2) return Usage(LoadStr(kNeedsOutputAndDocument).arg(QStringLiteral("--export-png")));
  const QString& out = files[0];
  if (RefuseOutput(out, files[1], 0)) return exFailed;

  LoadedDocument doc;
  if (!Load(files[1], doc)) return exFailed;
  TOutcomeOf<QImage> rendered = RenderCardImage(doc.Sheet, scale);
  if (!rendered.Ok()) {
    Print(stderr, rendered.Reason() + QLatin1Char('\n'));
    return exFailed;
  }
  QImage& image = rendered.Value();
  // Printed at its true size by programs that honour the resolution.
  const int dotsPerMeter = int(std::lround(scale * kPixelsPerMm * 1000));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);

  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) {
    Print(stderr, LoadStr(PrintText::CannotEncodePng) + QLatin1Char('\n'));
    return exFailed;
  }
  if (const TOutcome written = WriteFileAtomically(out, png); !written.Ok()) {
    Print(stderr, LoadStr(PrintText::CannotWriteFile).arg(QDir::toNativeSeparators(out), written.Reason()) +
                      QLatin1Char('\n'));
    return exFailed;
  }
  return exDone;
}

// The paper the document names, A4 when it names none; nullopt, with the
// user told, when it is beyond what a PDF page can be.
std::optional<QSizeF> DocumentPaper(const DocumentPageSetup& setup) {
  const bool given = setup.PaperWidth > 0 && setup.PaperHeight > 0;
  const QSizeF paper = given ? QSizeF(setup.PaperWidth, setup.PaperHeight) : *PdfPaper::FromText(QStringLiteral("A4"));
  if (PdfPaper::Fits(paper)) return paper;
  Print(stderr, LoadStr(PrintText::PaperOutOfRange)
                    .arg(QString::number(setup.PaperWidth), QString::number(setup.PaperHeight)) +
                    QLatin1Char('\n'));
  return std::nullopt;
}

bool IsOption(const QString& arg, const char* name) {
  const QLatin1String n(name);
  return arg == n || (arg.startsWith(n) && arg.size() > n.size() && arg[n.size()] == QLatin1Char('='));
}

// The corrections kept for printer in tessolo.ini; none, with a warning,
// when there are none or they do not read.
TPrinterCalibration StoredCalibration(const QString& printer, const ProgramFolders& folders) {
  const std::unique_ptr<QSettings> settings =
      OpenOwnSettings(folders.WritablePath(QString::fromLatin1(OwnSettingsFileName)));
  const TCalibrationStore::Entry entry = TCalibrationStore(*settings).Read(printer);
  if (entry.What == TCalibrationStore::State::Missing)
    Print(stderr, CalibrationMessage(CalibrationText::NoEntry).arg(printer) + QLatin1Char('\n'));
  else if (entry.What == TCalibrationStore::State::Unreadable)
    Print(stderr, CalibrationMessage(CalibrationText::UnreadableEntry).arg(printer, entry.Text) + QLatin1Char('\n'));
  return entry.Value;
}

int PrintPdf(const QStringList& args, const ProgramFolders& folders) {
  QStringList files;
  std::optional<QSizeF> paper;
  std::optional<QString> printerName;
  int dpi = 600;
  QString mergeList;
  std::optional<TMergeLayout> mergeLayout;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool isPaper = IsOption(a, "--paper"), isDpi = IsOption(a, "--dpi");
    const bool isMerge = IsOption(a, "--merge"), isLayout = IsOption(a, "--merge-layout");
    const bool isPrinter = IsOption(a, "--printer");
    if (!isPaper && !isDpi && !isMerge && !isLayout && !isPrinter) {
      files << a;
      continue;
    }
    QString value;
    if (a.contains(QLatin1Char('='))) {
      value = a.mid(a.indexOf(QLatin1Char('=')) + 1);
    } else if (++i < args.size()) {
      value = args[i];
    } else if (isMerge) {
      return Usage(LoadStr(MergeText::ListArgumentMissing));
    } else if (isLayout) {
      return Usage(LoadStr(MergeText::BadLayoutArgument).arg(QString()));
    } else if (isPrinter) {
      return Usage(CalibrationMessage(CalibrationText::PrinterArgument));
    } else {
      return Usage(LoadStr(kValueMissing).arg(a));
    }
    if (isPrinter) {
      if (value.isEmpty()) return Usage(CalibrationMessage(CalibrationText::PrinterArgument));
      printerName = value;
    } else if (isMerge) {
      if (value.isEmpty()) return Usage(LoadStr(MergeText::ListArgumentMissing));
      mergeList = value;
    } else if (isLayout) {
      if (value == QLatin1String("sheet")) mergeLayout = TMergeLayout::PerSheet;
      else if (value == QLatin1String("cell")) mergeLayout = TMergeLayout::PerCell;
      else return Usage(LoadStr(MergeText::BadLayoutArgument).arg(value));
    } else if (isPaper) {
      paper = PdfPaper::FromText(value);
      if (!paper) return Usage(LoadStr(kBadPaper).arg(value));
    } else {
      bool ok = false;
      dpi = value.toInt(&ok);
      if (!ok || dpi < 72 || dpi > 2400)
        return Usage(LoadStr(kBadResolution).arg(value));
    }
  }
  if (files.size() != 2) return Usage(LoadStr(kNeedsOutputAndDocument).arg(QStringLiteral("--print-pdf")));
  if (mergeLayout && mergeList.isEmpty()) return Usage(LoadStr(MergeText::ListArgumentMissing));
  const QString& out = files[0];

  if (RefuseOutput(out, files[1], PrintText::CannotStart)) return exFailed;

  LoadedDocument doc;
  if (!Load(files[1], doc)) return exFailed;
  // The list and its fields are checked before anything is printed.
  TMergeList list;
  if (!mergeList.isEmpty()) {
    TOutcomeOf<TMergeList> read = ReadMergeListFile(mergeList);
    if (!read.Ok()) {
      Print(stderr, read.Reason() + QLatin1Char('\n'));
      return exFailed;
    }
    list = std::move(read).Value();
  }
  if (!paper) paper = DocumentPaper(doc.Setup);
  if (!paper) return exFailed;
  const TPrinterCalibration calibration =
      printerName ? StoredCalibration(*printerName, folders) : TPrinterCalibration{};
  // No printer is looked for: the output is PDF.
  PdfPrintDevice device(out, PdfPrintDevice::SheetLayout(paper->width(), paper->height()), dpi,
                        QFileInfo(files[1]).completeBaseName());
  if (!mergeList.isEmpty()) {
    TMergeJob job;
    job.Background = doc.Sheet.BGImage;
    job.Objects = doc.Sheet.ObjectList;
    job.Setup = &doc.Setup;
    job.List = &list;
    job.Layout = mergeLayout.value_or(TMergeLayout::PerSheet);
    job.Calibration = calibration;
    if (const TOutcome printed = PrintMergedSheets(device, job); !printed.Ok()) {
      Print(stderr, printed.Reason() + QLatin1Char('\n'));
      return exFailed;
    }
    return exDone;
  }
  if (const TOutcome printed = PrintCardSheet(device, doc.Sheet.BGImage, doc.Sheet.ObjectList, doc.Setup, calibration);
      !printed.Ok()) {
    Print(stderr, printed.Reason() + QLatin1Char('\n'));
    return exFailed;
  }
  return exDone;
}

// The sheet for measuring a printer: for a document's page setup and paper,
// or for the default page setup on A4.
int CalibrationSheet(const QStringList& args) {
  QStringList files;
  std::optional<QSizeF> paper;
  int dpi = 600;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool isPaper = a == QLatin1String("--paper") || a.startsWith(QLatin1String("--paper="));
    const bool isDpi = a == QLatin1String("--dpi") || a.startsWith(QLatin1String("--dpi="));
    if (!isPaper && !isDpi) {
      files << a;
      continue;
    }
    QString value;
    if (a.contains(QLatin1Char('='))) {
      value = a.mid(a.indexOf(QLatin1Char('=')) + 1);
    } else {
      if (++i == args.size()) return Usage(CalibrationMessage(CalibrationText::SheetArguments));
      value = args[i];
    }
    if (isPaper) {
      paper = PdfPaper::FromText(value);
      if (!paper) return Usage(CalibrationMessage(CalibrationText::BadPaper).arg(value));
    } else {
      bool ok = false;
      dpi = value.toInt(&ok);
      if (!ok || dpi < 72 || dpi > 2400)
        return Usage(CalibrationMessage(CalibrationText::BadResolution).arg(value));
    }
  }
  if (files.size() != 1 && files.size() != 2) return Usage(CalibrationMessage(CalibrationText::SheetArguments));
  if (RefuseOutput(files[0], files.size() == 2 ? files[1] : QString(), PrintText::CannotStart)) return exFailed;

  LoadedDocument doc;
  if (files.size() == 2 && !Load(files[1], doc)) return exFailed;
  if (!paper) paper = DocumentPaper(doc.Setup);
  if (!paper) return exFailed;
  PdfPrintDevice device(files[0], PdfPrintDevice::SheetLayout(paper->width(), paper->height()), dpi,
                        CalibrationMessage(CalibrationText::SheetTitle));
  if (const TOutcome printed = PrintCalibrationSheet(device, doc.Setup); !printed.Ok()) {
    Print(stderr, printed.Reason() + QLatin1Char('\n'));
    return exFailed;
  }
  return exDone;
}

int Run(const QStringList& args, const ProgramFolders& folders) {
  const QString command = args.value(0);
  const QStringList rest = args.mid(1);
  if (command == QLatin1String("--version")) return Version();
  if (command == QLatin1String("--help")) return Help();
  if (command == QLatin1String("--info")) return Info(rest);
  if (command == QLatin1String("--export-png")) return ExportPng(rest);
  if (command == QLatin1String("--print-pdf")) return PrintPdf(rest, folders);
  if (command == QLatin1String("--calibration-sheet")) return CalibrationSheet(rest);
  std::fputs(kUsage, stdout);
  return exDone;
}

// Qt's own notes (such as a missing runtime folder) are not for the user of
// a command whose output scripts read; real errors still come through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
  Print(stderr, text + QLatin1Char('\n'));
}

bool IsHeadlessCommand(const char* arg) {
  if (std::strcmp(arg, "--version") == 0) return true;
  const QByteArray a(arg);
  return a == "--info" || a == "--export-png" || a == "--print-pdf" || a == "--calibration-sheet" || a == "--help";
}

}  // namespace

bool TryRunCommandLine(int argc, char** argv, int* exitCode) {
  return TryRunCommandLine(argc, argv, exitCode, ProgramFolders());
}

bool TryRunCommandLine(int argc, char** argv, int* exitCode, const ProgramFolders& folders) {
  if (argc < 2 || !IsHeadlessCommand(argv[1])) return false;
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);

  int appArgc = 1;  // our own arguments are not for Qt
  std::unique_ptr<QGuiApplication> app;
  const bool ownApp = !QCoreApplication::instance();
  QtMessageHandler previous = nullptr;
  if (ownApp) {
    previous = qInstallMessageHandler(QuietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(appArgc, argv);
  } else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    std::fputs("tessolo: the headless commands need a QGuiApplication.\n", stderr);
    *exitCode = exFailed;
    return true;
  }
  InstallFontSubstitutions();  // cards name Windows fonts; draw them as the window does
  *exitCode = Run(args, folders.IsEmpty() ? ProgramFolders::ForThisProgram() : folders);
  app.reset();
  if (ownApp) qInstallMessageHandler(previous);
  return true;
}

std::optional<QString> DocumentPathFromArguments(const QStringList& arguments) {
  if (arguments.size() != 2) return std::nullopt;
  const QString& given = arguments[1];
  const QString lower = given.toLower();
  if (!lower.endsWith(QLatin1String(".tsl"))) return std::nullopt;
  if (QFileInfo(lower).isFile()) return lower;
  if (QFileInfo(given).isFile()) return given;
  return std::nullopt;
}
