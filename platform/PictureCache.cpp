#include "PictureCache.h"

#include <QHash>

#include <list>
#include <mutex>

namespace PictureCache {

namespace {

// Enough for a few photographs at printer resolution.
constexpr qint64 Budget = 384LL * 1024 * 1024;

struct Entry {
  // Decoded: the bytes and their hash; scaled: the source's key and the size.
  QByteArray Bytes;
  size_t Hash = 0;
  qint64 SourceKey = 0;
  QSize Size;
  QImage Image;
};

struct Cache {
  std::mutex Lock;
  std::list<Entry> Entries;  // most recently used first
  qint64 Held = 0;

  void Touch(std::list<Entry>::iterator it) { Entries.splice(Entries.begin(), Entries, it); }
  void Add(Entry e) {
    const qint64 size = e.Image.sizeInBytes();
    if (size > Budget / 2) return;  // one huge image would flush everything else
    Held += size;
    Entries.push_front(std::move(e));
    while (Held > Budget && !Entries.empty()) {
      Held -= Entries.back().Image.sizeInBytes();
      Entries.pop_back();
    }
  }
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

}  // namespace

QImage Decoded(const QByteArray& bytes, const std::function<QImage()>& decode) {
  Cache& c = TheCache();
  const size_t hash = qHash(bytes);
  {
    std::lock_guard lock(c.Lock);
    for (auto it = c.Entries.begin(); it != c.Entries.end(); ++it) {
      if (it->SourceKey == 0 && it->Hash == hash && it->Bytes == bytes) {
        c.Touch(it);
        return c.Entries.front().Image;
      }
    }
  }
  QImage image = decode();
  if (image.isNull()) return image;
  std::lock_guard lock(c.Lock);
  // The cache outlives its caller's bytes: bytes that merely point into
  // someone else's buffer are copied, shared ones are kept shared.
  QByteArray key = bytes;
  if (!key.data_ptr().isMutable()) key = QByteArray(bytes.constData(), bytes.size());
  c.Add(Entry{key, hash, 0, {}, image});
  return image;
}

namespace {

QImage Held(Cache& c, qint64 key, QSize size) {
  std::lock_guard lock(c.Lock);
  for (auto it = c.Entries.begin(); it != c.Entries.end(); ++it) {
    if (it->SourceKey == key && it->Size == size) {
      c.Touch(it);
      return c.Entries.front().Image;
    }
  }
  return QImage();
}

QImage MakeAndHold(Cache& c, qint64 key, const QImage& from, QSize size) {
  QImage scaled = from.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (scaled.isNull()) return scaled;
  std::lock_guard lock(c.Lock);
  c.Add(Entry{{}, 0, key, size, scaled});
  return scaled;
}

}  // namespace

QImage Scaled(const QImage& source, QSize size) {
  if (source.isNull() || size.isEmpty() || source.size() == size) return source;
  Cache& c = TheCache();
  const qint64 key = source.cacheKey();
  if (QImage held = Held(c, key, size); !held.isNull()) return held;
  // A reduction starts from the picture halved as often as the size allows:
  // while a large photo is being resized, each new size is scaled from that
  // small copy rather than from the whole photo.
  int halvings = 0;
  while ((source.width() >> (halvings + 1)) >= size.width() && (source.height() >> (halvings + 1)) >= size.height())
    ++halvings;
  QImage from = source;
  if (halvings > 0) {
    const QSize halved(source.width() >> halvings, source.height() >> halvings);
    from = Held(c, key, halved);
    if (from.isNull()) from = MakeAndHold(c, key, source, halved);
    if (from.isNull() || from.size() == size) return from;
  }
  return MakeAndHold(c, key, from, size);
}

void Clear() {
  Cache& c = TheCache();
  std::lock_guard lock(c.Lock);
  c.Entries.clear();
  c.Held = 0;
}

qint64 HeldBytes() {
  Cache& c = TheCache();
  std::lock_guard lock(c.Lock);
  return c.Held;
}

}  // namespace PictureCache
