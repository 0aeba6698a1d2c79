#pragma once
// TClipboard: the system clipboard as the widget library offers it: plain
// text, a bitmap and components in the component stream format, several of
// them grouped into one content between Open and Close. Over QClipboard, so
// that other programs (and other copies of this one) can take what is put
// here and put what this program can take.
#include <QByteArray>
#include <QString>

#include <memory>
#include <set>

#include "Bitmap.h"

class QClipboard;
class QMimeData;
class TComponent;
class TGraphic;
class TWinControl;

// Our own clipboard format: one component stream.
inline constexpr char kComponentMimeType[] = "application/x-tessolo-component";

enum class TClipboardFormat { Text, Bitmap, Component };

// What came of reading a picture from the clipboard.
struct TClipboardPicture {
  enum Status { Ok, None, TooLarge, Unreadable } Result = None;
  std::unique_ptr<TBitmap> Bitmap;  // set when Ok
};

class TClipboard {
 public:
  // The application's clipboard unless another is given.
  explicit TClipboard(QClipboard* clipboard = nullptr);
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  bool HasFormat(TClipboardFormat format) const;
  // Text, a bitmap or a component: something Paste can use.
  bool HasPastableFormat() const;

  // Formats set between Open and Close replace the earlier content together,
  // at Close; outside them each Set replaces the content at once.
  void Open();
  void Close();

  // Writes component in our format.
  void SetComponent(const TComponent& component);
  // Creates the component on the clipboard with owner and parent. Only the
  // classes in allowed are made. Throws EClassNotFound for another class and
  // EReadError for a damaged stream; nothing is left behind then.
  TComponent* GetComponent(TComponent* owner, TWinControl* parent, const std::set<QByteArray>& allowed) const;

  // Text with CR LF between lines, as labels and the memo hold it; the
  // clipboard itself carries the host's line breaks.
  QString AsText() const;
  void SetAsText(const QString& text);

  // Puts a picture on the clipboard as an image other programs can take;
  // a graphic that cannot be decoded puts nothing.
  void SetPicture(const TGraphic& graphic);
  // The clipboard's picture as a bitmap (its BMP bytes kept when the
  // clipboard holds a BMP file). Its size is checked against the picture
  // limits before any pixels are allocated.
  TClipboardPicture GetPicture() const;

  // Largest component stream or picture data taken from the clipboard.
  static constexpr qsizetype MaxDataBytes = 512LL * 1024 * 1024;

 private:
  const QMimeData* Data() const;
  QMimeData* Target();
  void Commit();

  QClipboard* FClipboard;
  std::unique_ptr<QMimeData> FPending;
  int FOpenCount = 0;
};
