#include "AtomicFile.h"

#include "ErrorText.h"
#include "FileReplace.h"

TOutcome WriteFileAtomically(const QString& path, QByteArrayView bytes) {
  const int failure = ReplaceFile(path, bytes);
  if (failure == 0) return {};
  return TOutcome::Failed(FileErrorText(failure));
}
