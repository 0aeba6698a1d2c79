#include "AtomicFile.h"

#include "ErrorText.h"
#include "FileReplace.h"

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* error) {
  const int failure = ReplaceFile(path, bytes);
  if (failure == 0) return true;
  if (error) *error = FileErrorText(failure);
  return false;
}
