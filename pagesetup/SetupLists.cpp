#include "SetupLists.h"

#include <QFile>

#include <algorithm>

#include "FileReplace.h"
#include "Function1.h"
#include "Messages.h"
#include "PageSetupLimits.h"
#include "Version.h"

namespace {

constexpr int kWriteFailed = 1120;
constexpr int kMasterSetupMissing = 1100;
constexpr int kUserSetupDiffers = 1101;
constexpr int kUserSetupMissing = 1102;

// Longer lines are no records of ours; they are skipped whole rather than
// read piecewise, so that no tail of one becomes a record of its own.
constexpr qsizetype kMaxLineBytes = 4096;

// Reads the next line without its line end into line; false at the end of the
// file. A line beyond the limit comes back empty.
bool NextLine(QIODevice& file, QByteArray& line) {
  line.clear();
  char buf[512];
  bool any = false;
  bool tooLong = false;
  for (;;) {
    const qint64 n = file.readLine(buf, sizeof buf);
    if (n <= 0) break;
    any = true;
    if (!tooLong) {
      line.append(buf, n);
      if (line.size() > kMaxLineBytes + 2) {
        tooLong = true;
        line.clear();
      }
    }
    if (buf[n - 1] == '\n') break;
  }
  if (line.endsWith('\n')) line.chop(1);
  if (line.endsWith('\r')) line.chop(1);
  return any;
}

bool SameValues(const PageSetup& a, const PageSetup& b) {
  return SameAtOneDecimal(a.PaperWidth, b.PaperWidth) && SameAtOneDecimal(a.PaperHeight, b.PaperHeight) &&
         SameAtOneDecimal(a.SheetWidth, b.SheetWidth) && SameAtOneDecimal(a.SheetHeight, b.SheetHeight) &&
         SameAtOneDecimal(static_cast<float>(a.Retu), static_cast<float>(b.Retu)) &&
         SameAtOneDecimal(static_cast<float>(a.Dann), static_cast<float>(b.Dann)) &&
         SameAtOneDecimal(a.LeftMargin, b.LeftMargin) && SameAtOneDecimal(a.TopMargin, b.TopMargin) &&
         SameAtOneDecimal(a.InsideMarginX, b.InsideMarginX) && SameAtOneDecimal(a.InsideMarginY, b.InsideMarginY);
}

}  // namespace

bool SetupTable::HasName(const SetupNameBuffer& name) const {
  return std::any_of(Records.begin(), Records.begin() + Count(),
                     [&](const PageSetup& r) { return r.SetupName == name; });
}

int ReadSetupFile(const QString& path, SetupTable& table, int firstSlot) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return ReadSetupList(file, table, firstSlot);
}

int ReadSetupList(QIODevice& file, SetupTable& table, int firstSlot) {
  firstSlot = std::clamp(firstSlot, 0, MaxSetups);
  int count = 0;
  QByteArray line;
  while (firstSlot + count < MaxSetups && NextLine(file, line)) {
    // A record beyond the page-setup limits could not be saved with a document.
    if (auto record = ParseSetupLine(line); record && PageLimits::SetupOk(*record))
      table.Records[firstSlot + count++] = *record;
  }
  return count;
}

QByteArray UserListText(const SetupTable& table) {
  QByteArray text = QByteArray("The VarnettDx version ") + VersionString + "\r\n";
  const int end = std::min(table.Count(), MaxSetups);
  for (int slot = table.MasterCount; slot < end; ++slot) text += FormatSetupLine(table.Records[slot]) + "\r\n";
  return text;
}

int WriteUserFile(const QString& path, const SetupTable& table) {
  if (ReplaceFile(path, UserListText(table)) != 0) {
    ShowMessageId(kWriteFailed);
    return -1;
  }
  return 0;
}

SetupLists::SetupLists(const ProgramFolders& folders) : FFolders(folders) {
  if (FFolders.IsEmpty()) FFolders = ProgramFolders::ForThisProgram();
}

QString SetupLists::MasterPath() const { return FFolders.DataPath(QLatin1String(MasterListFileName)); }
QString SetupLists::UserPath() const { return FFolders.WritablePath(QLatin1String(UserListFileName)); }
QString SetupLists::UserReadPath() const { return FFolders.ReadPath(QLatin1String(UserListFileName)); }

void SetupLists::Load() {
  FTable = SetupTable{};
  FTable.MasterCount = ReadSetupFile(MasterPath(), FTable, 0);
  FTable.UserCount = ReadSetupFile(UserReadPath(), FTable, FTable.MasterCount);
}

int SetupLists::WriteUserList(const SetupTable& table) const {
  FFolders.PrepareWritableFolder();  // a failure shows as the write's own
  return WriteUserFile(UserPath(), table);
}

int SetupLists::RegisterSetup(const SetupNameBuffer& name, const PageSetup& values) {
  if (FTable.IsFull()) return 0;
  const int slot = FTable.Count();
  PageSetup& record = FTable.Records[slot];
  record = values;
  record.SetupName = name;
  ++FTable.UserCount;
  if (WriteUserList(FTable) != 0) {
    record = PageSetup{};
    --FTable.UserCount;
    return 0;
  }
  return FTable.Count();
}

int SetupLists::DeleteSetup(int position) {
  const int slot = position - 1;
  if (slot < FTable.MasterCount || slot >= FTable.Count()) return position;  // not a user setup
  SetupTable copy = FTable;
  const int last = copy.Count() - 1;
  std::move(copy.Records.begin() + slot + 1, copy.Records.begin() + last + 1, copy.Records.begin() + slot);
  copy.Records[last] = PageSetup{};
  --copy.UserCount;
  if (WriteUserList(copy) != 0) return position;
  FTable = copy;
  return position - 1;
}

int SetupLists::MatchDocumentSetup(const DocumentPageSetup& doc, bool startNewDocument, bool legacyPageSetup) const {
  if (startNewDocument) return FTable.Count() > 0 ? 1 : 0;  // no lists at all: only the free setting exists
  if (legacyPageSetup) return 0;
  const QString name = doc.SetupName.Text();
  switch (doc.SetupKind) {
    case skMaster: {
      int position = 0;
      for (int i = 0; i < FTable.Count(); ++i)
        if (FTable.Records[i].SetupName == doc.SetupName) position = i + 1;  // the last of that name
      if (position == 0) ShowMessageId(kMasterSetupMissing, name);
      return position;
    }
    case skUser: {
      const PageSetup wanted = SetupOf(doc);
      bool named = false;
      for (int i = 0; i < FTable.Count(); ++i) {
        const PageSetup& r = FTable.Records[i];
        if (r.SetupName != doc.SetupName) continue;
        named = true;
        if (SameValues(r, wanted)) return i + 1;
        ShowMessageId(kUserSetupDiffers, name);
      }
      if (!named) ShowMessageId(kUserSetupMissing, name);
      return 0;
    }
    default:
      return 0;
  }
}
