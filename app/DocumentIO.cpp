// Placeholder until the document format lands.
#include "DocumentIO.h"

QByteArray BuildDocumentBytes(const TWorksheet&, const DocumentPageSetup&, QByteArrayView) { return {}; }
int SaveDocumentFile(const QString&, const TWorksheet&, const DocumentPageSetup&, QByteArrayView) { return -1; }
int LoadDocumentFile(const QString&, TWorksheet&, DocumentPageSetup&, QByteArray&, const DocumentLoadHooks&) {
  return -1;
}
