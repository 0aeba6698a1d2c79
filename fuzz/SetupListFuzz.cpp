// Arbitrary bytes as a page-setup list (msetpage.txt or usetpage.txt, which
// anyone may have edited). Every record the reader offers must lie within the
// page-setup limits, and the user list written from it must read back as the
// same records; anything else (a crash, a sanitizer report, an exception
// escaping) is a finding.
#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "Function1.h"
#include "PageSetupLimits.h"
#include "SetupLists.h"

namespace {

bool SameRecord(const PageSetup& a, const PageSetup& b) {
  return a.SetupName == b.SetupName && SameAtOneDecimal(a.PaperWidth, b.PaperWidth) &&
         SameAtOneDecimal(a.PaperHeight, b.PaperHeight) && SameAtOneDecimal(a.SheetWidth, b.SheetWidth) &&
         SameAtOneDecimal(a.SheetHeight, b.SheetHeight) && a.Retu == b.Retu && a.Dann == b.Dann &&
         SameAtOneDecimal(a.LeftMargin, b.LeftMargin) && SameAtOneDecimal(a.TopMargin, b.TopMargin) &&
         SameAtOneDecimal(a.InsideMarginX, b.InsideMarginX) && SameAtOneDecimal(a.InsideMarginY, b.InsideMarginY);
}

int Read(const QByteArray& bytes, SetupTable& table, int firstSlot) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return ReadSetupList(buffer, table, firstSlot);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  // The first byte chooses where the list starts, as the user list follows
  // the master list.
  const int firstSlot = size > 0 ? data[0] : 0;

  SetupTable table;
  const int count = Read(bytes, table, firstSlot);
  if (count < 0 || firstSlot + count > MaxSetups) __builtin_trap();
  for (int i = firstSlot; i < firstSlot + count; ++i)
    if (!PageLimits::SetupOk(table.Records[i])) __builtin_trap();

  // Written as the user list and read again: the same records.
  table.MasterCount = firstSlot;
  table.UserCount = count;
  SetupTable back;
  const int again = Read(UserListText(table), back, firstSlot);
  if (again != count) __builtin_trap();
  for (int i = firstSlot; i < firstSlot + count; ++i)
    if (!SameRecord(table.Records[i], back.Records[i])) __builtin_trap();
  return 0;
}
