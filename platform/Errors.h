#pragma once
// Error types raised by the platform layer. Commands catch them and turn them
// into the program's own messages; nothing in the platform exits or aborts.
//
// Each error carries an English description for developers (what()) and,
// for the user, its reasons: numbers of texts in the program's string table
// with the words that fill their %1, %2 ... The platform names only the
// numbers; the texts themselves, in Japanese, live in the string table.
#include <QStringList>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct TReason {
  int Id = 0;
  QStringList Args;
};

// The string-table numbers of the reasons the platform gives.
namespace ReasonId {
inline constexpr int StreamCutShort = 1230;      // byte position
inline constexpr int StreamInvalid = 1231;       // byte position
inline constexpr int StreamWrongClass = 1232;    // class found, class expected
inline constexpr int ClassNotFound = 1233;       // class name
inline constexpr int PropertyUnreadable = 1234;  // property name
inline constexpr int NotAPicture = 1240;
inline constexpr int BitmapUnreadable = 1241;
inline constexpr int JpegUnreadable = 1242;
inline constexpr int PictureNoSize = 1243;     // width, height
inline constexpr int PictureTooLarge = 1244;   // width, height
inline constexpr int PictureNoMemory = 1245;
inline constexpr int PictureFileUnreadable = 1246;  // path; followed by the file's reason
inline constexpr int PictureFileTooLarge = 1247;    // path, megabytes
inline constexpr int PictureFileEmpty = 1248;       // path
inline constexpr int PictureFileUnusable = 1249;    // path; followed by the picture's reason
inline constexpr int PictureDataUnreadable = 1250;
inline constexpr int NoPicture = 1251;
// What an errno says, see FileErrorReason.
inline constexpr int FileNotFound = 1260;
inline constexpr int FileAccessDenied = 1261;
inline constexpr int FileReadOnly = 1262;
inline constexpr int FileIsFolder = 1263;
inline constexpr int DiskFull = 1264;
inline constexpr int PathNotFolder = 1265;
inline constexpr int FileNameTooLong = 1266;
inline constexpr int FileOtherError = 1267;  // errno
}  // namespace ReasonId

// The reason for a failed file operation, from its errno.
inline TReason FileErrorReason(int errnum) {
  switch (errnum) {
    case ENOENT: return {ReasonId::FileNotFound, {}};
    case EACCES:
    case EPERM: return {ReasonId::FileAccessDenied, {}};
    case EROFS: return {ReasonId::FileReadOnly, {}};
    case EISDIR: return {ReasonId::FileIsFolder, {}};
    case ENOSPC:
    case EDQUOT: return {ReasonId::DiskFull, {}};
    case ENOTDIR: return {ReasonId::PathNotFolder, {}};
    case ENAMETOOLONG: return {ReasonId::FileNameTooLong, {}};
    default: return {ReasonId::FileOtherError, {QString::number(errnum)}};
  }
}

class EPlatformError : public std::runtime_error {
 public:
  explicit EPlatformError(const std::string& what, TReason reason = {}) : std::runtime_error(what) {
    if (reason.Id != 0) FReasons.push_back(std::move(reason));
  }
  // This reason first, then those of the error that caused it.
  EPlatformError(const std::string& what, TReason reason, const std::exception& cause)
      : EPlatformError(what, std::move(reason)) {
    if (auto* inner = dynamic_cast<const EPlatformError*>(&cause))
      FReasons.insert(FReasons.end(), inner->FReasons.begin(), inner->FReasons.end());
  }
  // Outermost first; empty when the error gives none.
  const std::vector<TReason>& Reasons() const { return FReasons; }

 private:
  std::vector<TReason> FReasons;
};

// A component stream or file that cannot be read (cut short, damaged, a value
// of the wrong type).
class EReadError : public EPlatformError {
 public:
  using EPlatformError::EPlatformError;
};

// A picture that cannot be decoded or is larger than any card needs.
class EInvalidGraphic : public EPlatformError {
 public:
  using EPlatformError::EPlatformError;
};

// A component class name that is not registered.
class EClassNotFound : public EReadError {
 public:
  using EReadError::EReadError;
};
