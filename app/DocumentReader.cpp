// Reading a document: the header, then record after record until the end of
// the file. Every length is checked against what is left before anything is
// read or allocated; a failure stops the read with what went wrong and where.
#include <QtEndian>

#include <cstring>
#include <memory>

#include "ColorDialog.h"
#include "ComponentStream.h"
#include "DocumentFormat.h"
#include "DocumentPageSetup.h"
#include "ErrorText.h"
#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "PageSetupLimits.h"
#include "Qushape.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace DocumentFormat {

namespace {

// What is wrong and where, as the user is told.
constexpr int kTooShort = 1217;
constexpr int kBadHeader = 1218;
constexpr int kTagCutShort = 1219;
constexpr int kRecordCutShort = 1220;
constexpr int kImpossibleValue = 1221;
constexpr int kObjectUnreadable = 1222;
constexpr int kUnknownTag = 1223;

QString Text(int id, QStringList args) { return ReasonText({id, std::move(args)}); }

// Ends a read from wherever it was found to fail.
struct Stop {
  ReadError Error;
  QString Detail;
};

class Reader {
 public:
  Reader(QByteArrayView bytes, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
         const DocumentLoadHooks& hooks)
      : FBytes(bytes), FSheet(sheet), FSetup(setup), FVersion(version8), FHooks(hooks) {}

  ReadResult Run() {
    ReadResult result;
    const DocumentPageSetup savedSetup = FSetup;
    const QByteArray savedVersion = FVersion;
    try {
      FVersion = QByteArray(VersionSize, '\0');
      if (FBytes.size() < MinimumSize)
        throw Stop{ReadError::TooShort,
                   Text(kTooShort, {QString::number(FBytes.size()), QString::number(MinimumSize)})};
      Header();
      ResetWorksheet();
      result.WorksheetReset = true;
      do Record();
      while (FPos < FBytes.size());
    } catch (const Stop& stop) {
      // No half-taken page setup may outlive a failed read: the next new or
      // opened document would start from it.
      FSetup = savedSetup;
      FVersion = savedVersion;
      result.Error = stop.Error;
      result.Detail = stop.Detail;
      return result;
    }
    // Whether the grid was shown is not part of a document.
    FSheet.GridShape->Show();
    return result;
  }

 private:
  // ---- plain values

  // The user is told which record is cut short; what only names the value
  // for whoever reads the call.
  void Need(qsizetype n, [[maybe_unused]] const char* what) const {
    if (n <= FBytes.size() - FPos) return;
    throw Stop{ReadError::Damaged, Text(kRecordCutShort, {QString::number(FTag), QString::number(FRecordAt)})};
  }
  int32_t Int32(const char* what) {
    Need(4, what);
    const int32_t v = qFromLittleEndian<qint32>(FBytes.data() + FPos);
    FPos += 4;
    return v;
  }
  float Float32(const char* what) {
    const uint32_t bits = uint32_t(Int32(what));
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
  }
  uint8_t Byte(const char* what) {
    Need(1, what);
    return uint8_t(FBytes[FPos++]);
  }
  QByteArrayView Raw(qsizetype n, const char* what) {
    Need(n, what);
    const QByteArrayView v = FBytes.sliced(FPos, n);
    FPos += n;
    return v;
  }

  [[noreturn]] void Unusable(const char* name, const QString& value) const {
    throw Stop{ReadError::Damaged, Text(kImpossibleValue, {QString::number(FTag), QString::number(FRecordAt),
                                                          QLatin1String(name), value})};
  }
  float Length(const char* name) {
    const float v = Float32(name);
    if (!PageLimits::LengthOk(v)) Unusable(name, QString::number(double(v)));
    return v;
  }
  int32_t Count(const char* name) {
    const int32_t v = Int32(name);
    if (!PageLimits::CountOk(v)) Unusable(name, QString::number(v));
    return v;
  }

  // ---- header

  void Header() {
    FTag = 0;
    const float width = Float32("SheetWidth");
    const float height = Float32("SheetHeight");
    const int32_t widthPx = Int32("SheetWidthPx");
    const int32_t heightPx = Int32("SheetHeightPx");
    using namespace PageLimits;
    if (!SheetMmOk(width) || !SheetMmOk(height) || !SheetPixelsOk(widthPx) || !SheetPixelsOk(heightPx))
      throw Stop{ReadError::BadHeader, Text(kBadHeader, {QString::number(double(width)), QString::number(double(height)),
                                                         QString::number(widthPx), QString::number(heightPx)})};
    FSetup.SheetWidth = width;
    FSetup.SheetHeight = height;
    FSetup.SheetWidthPx = widthPx;
    FSetup.SheetHeightPx = heightPx;
  }

  void ResetWorksheet() {
    if (FHooks.ResetWorksheet)
      FHooks.ResetWorksheet();
    if (!FSheet.HasWorksheet() || !FSheet.BGImage || !FSheet.GridShape)
      FSheet.BuildWorksheet(FSetup.SheetWidthPx, FSetup.SheetHeightPx);
  }

  // ---- records

  void Record() {
    FRecordAt = FPos;
    FTag = 0;
    if (FBytes.size() - FPos < 4)
      throw Stop{ReadError::Damaged, Text(kTagCutShort, {QString::number(FPos)})};
    FTag = Int32("the record tag");
    switch (FTag) {
      case rtShape: Object<TQuShape>(); break;
      case rtOldLabel:
      case rtLabel: Object<TLabelEx>(); break;
      case rtPicture: Object<TImage>(); break;
      case rtColorDialog: {
        auto dialog = std::make_unique<TColorDialog>(nullptr);
        Stream(*dialog);
        delete FSheet.ColorDialog;
        FSheet.ColorDialog = dialog.release();
        break;
      }
      case rtBackground: Stream(*FSheet.BGImage); break;
      case rtGrid: Stream(*FSheet.GridShape); break;
      case rtOldPageSetup: OldPageSetup(); break;
      case rtOldOverflow: FSetup.OverflowAdjust = Byte("the overflow flag") != 0 ? -2 : 0; break;
      case rtPrintTonbo: FSetup.PrintTonbo = Byte("PrintTonbo"); break;
      case rtOverflowAdjust: {
        const int32_t v = Int32("OverflowAdjust");
        if (!PageLimits::OverflowAdjustOk(v))
          Unusable("OverflowAdjust", QString::number(v));
        FSetup.OverflowAdjust = v;
        break;
      }
      case rtUnused: Raw(4, "the unused record"); break;
      case rtVersion: FVersion = Raw(VersionSize, "the version").toByteArray(); break;
      case rtPageSetup: PageSetup(); break;
      case rtPageUnit: FSetup.PageUnit = Int32("PageUnit"); break;
      default:
        throw Stop{ReadError::UnknownTag, Text(kUnknownTag, {QString::number(FTag), QString::number(FRecordAt)})};
    }
  }

  void Stream(TComponent& component) {
    try {
      FPos += ComponentStream::ReadComponent(FBytes.sliced(FPos), component);
    } catch (const std::exception& e) {
      throw Stop{ReadError::Damaged, Text(kObjectUnreadable, {QString::number(FTag), QString::number(FRecordAt)}) +
                                         QLatin1Char('\n') + ErrorText(e)};
    }
  }

  template <class T>
  void Object() {
    // Owned and placed by the worksheet like every card object; a failed read
    // takes the half-read object away again.
    auto object = std::make_unique<T>(FSheet.DrawPanel);
    object->SetParent(FSheet.DrawPanel);
    Stream(*object);
    T* placed = object.release();
    if (FHooks.AttachObject)
      FHooks.AttachObject(placed);
    else
      FSheet.ObjectList.push_back(placed);
  }

  void OldPageSetup() {
    Need(OldSetupRecordSize, "the old page setup");
    Int32("PaperListIndex");  // the old paper list is gone; the paper is taken as A4
    const int32_t retu = Count("Retu");
    const int32_t dann = Count("Dann");
    const float left = Length("LeftMargin");
    const float top = Length("TopMargin");
    const float insideX = Length("InsideMarginX");
    const float insideY = Length("InsideMarginY");
    FSetup.Retu = retu;
    FSetup.Dann = dann;
    FSetup.LeftMargin = left;
    FSetup.TopMargin = top;
    FSetup.InsideMarginX = insideX;
    FSetup.InsideMarginY = insideY;
    FSetup.LegacyPageSetup = true;
    FSetup.PaperWidth = 210.0f;
    FSetup.PaperHeight = 297.0f;
    FSetup.SetupKind = skFree;
  }

  void PageSetup() {
    Need(SetupRecordSize, "the page setup");
    char name[SetupNameBuffer::Capacity];
    std::memcpy(name, Raw(SetupNameBuffer::Capacity, "SetupName").data(), sizeof name);
    const int32_t kind = Int32("SetupKind");
    if (!PageLimits::SetupKindOk(kind)) Unusable("SetupKind", QString::number(kind));
    DocumentPageSetup s = FSetup;
    s.SetupName = SetupNameBuffer::FromField(name);
    s.SetupKind = kind;
    s.PaperWidth = Length("PaperWidth");
    s.PaperHeight = Length("PaperHeight");
    s.Retu = Count("Retu");
    s.Dann = Count("Dann");
    s.LeftMargin = Length("LeftMargin");
    s.TopMargin = Length("TopMargin");
    s.InsideMarginX = Length("InsideMarginX");
    s.InsideMarginY = Length("InsideMarginY");
    s.LegacyPageSetup = false;
    FSetup = s;
  }

  QByteArrayView FBytes;
  TWorksheet& FSheet;
  DocumentPageSetup& FSetup;
  QByteArray& FVersion;
  const DocumentLoadHooks& FHooks;
  qsizetype FPos = 0;
  qsizetype FRecordAt = 0;
  int32_t FTag = 0;
};

}  // namespace

ReadResult ReadDocument(QByteArrayView bytes, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                        const DocumentLoadHooks& hooks) {
  return Reader(bytes, sheet, setup, version8, hooks).Run();
}

}  // namespace DocumentFormat
