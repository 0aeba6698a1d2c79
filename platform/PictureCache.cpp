#include "PictureCache.h"

#include <QHash>

#include <iterator>
#include <list>
#include <mutex>
#include <unordered_map>

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

size_t ScaledKey(qint64 source, QSize size) { return qHashMulti(0, source, size.width(), size.height()); }

size_t KeyOf(const Entry& e) { return e.SourceKey == 0 ? e.Hash : ScaledKey(e.SourceKey, e.Size); }

struct Cache {
  using Iterator = std::list<Entry>::iterator;
  std::mutex Lock;
  std::list<Entry> Entries;  // most recently used first
  // Entries by key, so that a merge's thousand codes are not looked for one by one.
  std::unordered_multimap<size_t, Iterator> Index;
  qint64 Held = 0;

  // The entry under key that match accepts, made the most recent.
  template <typename Match>
  const Entry* Find(size_t key, Match match) {
    const auto [from, to] = Index.equal_range(key);
    for (auto i = from; i != to; ++i) {
      if (match(*i->second)) {
        Entries.splice(Entries.begin(), Entries, i->second);
        return &Entries.front();
      }
    }
    return nullptr;
  }
  void Add(Entry e) {
    const qint64 size = e.Image.sizeInBytes();
    if (size > Budget / 2) return;  // one huge image would flush everything else
    Held += size;
    Entries.push_front(std::move(e));
    Index.emplace(KeyOf(Entries.front()), Entries.begin());
    while (Held > Budget && !Entries.empty()) {
      const Iterator last = std::prev(Entries.end());
      const auto [from, to] = Index.equal_range(KeyOf(*last));
      for (auto i = from; i != to; ++i)
        if (i->second == last) {
          Index.erase(i);
          break;
        }
      Held -= last->Image.sizeInBytes();
      Entries.erase(last);
    }
  }
  void Clear() {
    Entries.clear();
    Index.clear();
    Held = 0;
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
    if (const Entry* e = c.Find(hash, [&](const Entry& x) { return x.SourceKey == 0 && x.Bytes == bytes; }))
      return e->Image;
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
  const Entry* e = c.Find(ScaledKey(key, size), [&](const Entry& x) { return x.SourceKey == key && x.Size == size; });
  return e ? e->Image : QImage();
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
  c.Clear();
}

qint64 HeldBytes() {
  Cache& c = TheCache();
  std::lock_guard lock(c.Lock);
  return c.Held;
}

}  // namespace PictureCache
