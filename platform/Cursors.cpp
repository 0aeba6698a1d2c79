#include "Cursors.h"

#include <map>

namespace Cursors {

namespace {
std::map<TCursor, QCursor>& Custom() {
  static std::map<TCursor, QCursor> table;
  return table;
}
}  // namespace

void Register(TCursor id, const QCursor& cursor) { Custom()[id] = cursor; }

QCursor ToQCursor(TCursor id) {
  switch (id) {
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: case crSQLWait: return Qt::WaitCursor;
    case crDrag: case crMultiDrag: return Qt::DragMoveCursor;
    case crNoDrop: case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crNone: return Qt::BlankCursor;
    default: break;
  }
  auto it = Custom().find(id);
  return it != Custom().end() ? it->second : QCursor(Qt::ArrowCursor);
}

}  // namespace Cursors
