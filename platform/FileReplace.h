#pragma once
// Writing a file's whole new contents without ever leaving a mixture of old
// and new: the bytes go to a temporary file beside the target, reach the disk,
// and only then take the target's name. Where the folder admits no new file
// but the target itself may be written (a user list or settings file in a
// shared folder), the bytes are written into the target in place instead.
#include <QByteArrayView>
#include <QString>

// Returns 0, or the errno of the step that failed. On a failure before the
// in-place write the target is as it was.
int ReplaceFile(const QString& path, QByteArrayView bytes);

// Makes creating the temporary file fail with errnum (0 restores the normal
// behaviour), so that the in-place road can be tested by any user.
void SetTemporaryFileFailure(int errnum);
