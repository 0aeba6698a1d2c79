#include "QrContact.h"

#include <QStringList>

namespace {

const QString Crlf = QStringLiteral("\r\n");
constexpr char16_t IdeographicSpace = u'\u3000';

bool IsSpace(QChar c) { return c == u' ' || c == IdeographicSpace; }

// Family and given name, split at the first space (either width).
std::pair<QString, QString> SplitName(const QString& name) {
  const QString t = name.trimmed();
  for (qsizetype i = 0; i < t.size(); ++i) {
    if (!IsSpace(t[i])) continue;
    qsizetype j = i;
    while (j < t.size() && IsSpace(t[j])) ++j;
    return {t.left(i), t.mid(j)};
  }
  return {t, QString()};
}

QString EscapeVCard(const QString& v) {
  QString out;
  for (qsizetype i = 0; i < v.size(); ++i) {
    const QChar c = v[i];
    if (c == u'\\' || c == u';' || c == u',') {
      out += u'\\';
      out += c;
    } else if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < v.size() && v[i + 1] == u'\n') ++i;
      out += QStringLiteral("\\n");
    } else {
      out += c;
    }
  }
  return out;
}

// MECARD has no line breaks; they become spaces.
QString EscapeMeCard(const QString& v) {
  QString out;
  for (QChar c : v) {
    if (c == u'\\' || c == u';' || c == u',' || c == u':' || c == u'"') out += u'\\';
    out += (c == u'\r' || c == u'\n') ? QChar(u' ') : c;
  }
  return out;
}

// Splits at unescaped sep, keeping escapes in the parts.
QStringList SplitUnescaped(const QString& s, QChar sep) {
  QStringList parts;
  QString cur;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'\\' && i + 1 < s.size()) {
      cur += s[i];
      cur += s[++i];
    } else if (s[i] == sep) {
      parts << cur;
      cur.clear();
    } else {
      cur += s[i];
    }
  }
  parts << cur;
  return parts;
}

QString Unescape(const QString& s) {
  QString out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'\\' && i + 1 < s.size()) {
      const QChar n = s[++i];
      out += (n == u'n' || n == u'N') ? QStringLiteral("\r\n") : QString(n);
    } else {
      out += s[i];
    }
  }
  return out;
}

QString JoinName(const QString& family, const QString& given) {
  if (given.isEmpty()) return family;
  if (family.isEmpty()) return given;
  return family + u' ' + given;
}

QString EncodeVCard(const TQrContact& c) {
  QString out = QStringLiteral("BEGIN:VCARD") + Crlf + QStringLiteral("VERSION:3.0") + Crlf;
  const auto [family, given] = SplitName(c.Name);
  // N and FN are required by vCard 3.0, even when empty.
  out += QStringLiteral("N:") + EscapeVCard(family) + u';' + EscapeVCard(given) + QStringLiteral(";;;") + Crlf;
  out += QStringLiteral("FN:") + EscapeVCard(c.Name.trimmed()) + Crlf;
  auto line = [&out](const char* name, const QString& value) {
    if (!value.trimmed().isEmpty()) out += QLatin1String(name) + EscapeVCard(value.trimmed()) + Crlf;
  };
  if (!c.Kana.trimmed().isEmpty()) {
    // Japanese phones read the reading from SOUND, iPhones from X-PHONETIC.
    const auto [kf, kg] = SplitName(c.Kana);
    out += QStringLiteral("SOUND;X-IRMC-N:") + EscapeVCard(kf) + u';' + EscapeVCard(kg) + QStringLiteral(";;;") + Crlf;
    line("X-PHONETIC-LAST-NAME:", kf);
    line("X-PHONETIC-FIRST-NAME:", kg);
  }
  line("ORG:", c.Company);
  line("TITLE:", c.Title);
  line("TEL;TYPE=WORK,VOICE:", c.Phone);
  line("TEL;TYPE=WORK,FAX:", c.Fax);
  line("EMAIL;TYPE=INTERNET:", c.Email);
  line("URL:", c.Url);
  if (!c.Address.trimmed().isEmpty())
    out += QStringLiteral("ADR;TYPE=WORK:;;") + EscapeVCard(c.Address.trimmed()) + QStringLiteral(";;;;") + Crlf;
  out += QStringLiteral("END:VCARD");
  return out;
}

// MECARD has no fields for a title or a fax number; both go in NOTE.
const QString FaxMark = QStringLiteral("FAX ");

QString EncodeMeCard(const TQrContact& c) {
  QString out = QStringLiteral("MECARD:");
  auto field = [&out](const char* name, const QString& value) {
    if (!value.isEmpty()) out += QLatin1String(name) + value + u';';
  };
  const auto [family, given] = SplitName(c.Name);
  field("N:", given.isEmpty() ? EscapeMeCard(family) : EscapeMeCard(family) + u',' + EscapeMeCard(given));
  const auto [kf, kg] = SplitName(c.Kana);
  field("SOUND:", kg.isEmpty() ? EscapeMeCard(kf) : EscapeMeCard(kf) + u',' + EscapeMeCard(kg));
  field("TEL:", EscapeMeCard(c.Phone.trimmed()));
  field("EMAIL:", EscapeMeCard(c.Email.trimmed()));
  field("URL:", EscapeMeCard(c.Url.trimmed()));
  field("ADR:", EscapeMeCard(c.Address.trimmed()));
  field("ORG:", EscapeMeCard(c.Company.trimmed()));
  QString note = c.Title.trimmed();
  if (!c.Fax.trimmed().isEmpty())
    note += (note.isEmpty() ? QString() : QStringLiteral(" ")) + FaxMark + c.Fax.trimmed();
  field("NOTE:", EscapeMeCard(note));
  return out + u';';
}

std::optional<TDecodedContact> DecodeVCard(const QString& text) {
  TDecodedContact d;
  d.Format = TContactFormat::VCard;
  QString kanaFamily, kanaGiven;
  bool ended = false;
  for (QString line : text.split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0) continue;
    const QString name = line.left(colon).toUpper(), value = line.mid(colon + 1);
    const QString key = name.section(u';', 0, 0);
    TQrContact& c = d.Contact;
    if (key == u"FN") c.Name = Unescape(value);
    else if (key == u"SOUND") {
      const QStringList parts = SplitUnescaped(value, u';');
      c.Kana = JoinName(Unescape(parts.value(0)), Unescape(parts.value(1)));
    } else if (key == u"ORG") c.Company = Unescape(SplitUnescaped(value, u';').value(0));
    else if (key == u"TITLE") c.Title = Unescape(value);
    else if (key == u"TEL") (name.contains(u"FAX") ? c.Fax : c.Phone) = Unescape(value);
    else if (key == u"EMAIL") c.Email = Unescape(value);
    else if (key == u"URL") c.Url = Unescape(value);
    else if (key == u"ADR") c.Address = Unescape(SplitUnescaped(value, u';').value(2));
    else if (key == u"END") ended = true;
  }
  if (!ended) return std::nullopt;
  return d;
}

std::optional<TDecodedContact> DecodeMeCard(const QString& text) {
  TDecodedContact d;
  d.Format = TContactFormat::MeCard;
  TQrContact& c = d.Contact;
  for (const QString& field : SplitUnescaped(text.mid(7), u';')) {
    const qsizetype colon = field.indexOf(u':');
    if (colon < 0) continue;
    const QString key = field.left(colon).toUpper(), value = field.mid(colon + 1);
    auto name = [&value] {
      const QStringList parts = SplitUnescaped(value, u',');
      return JoinName(Unescape(parts.value(0)), Unescape(parts.mid(1).join(u',')));
    };
    if (key == u"N") c.Name = name();
    else if (key == u"SOUND") c.Kana = name();
    else if (key == u"TEL") c.Phone = Unescape(value);
    else if (key == u"EMAIL") c.Email = Unescape(value);
    else if (key == u"URL") c.Url = Unescape(value);
    else if (key == u"ADR") c.Address = Unescape(value);
    else if (key == u"ORG") c.Company = Unescape(value);
    else if (key == u"NOTE") {
      const QString note = Unescape(value);
      const qsizetype fax = note.startsWith(FaxMark) ? 0 : note.lastIndexOf(u' ' + FaxMark);
      if (fax < 0) {
        c.Title = note;
      } else {
        c.Title = note.left(fax);
        c.Fax = note.mid(fax == 0 ? FaxMark.size() : fax + 1 + FaxMark.size());
      }
    }
  }
  return d;
}

}  // namespace

bool TQrContact::Empty() const {
  for (const QString* f : {&Name, &Kana, &Company, &Title, &Phone, &Fax, &Email, &Url, &Address})
    if (!f->trimmed().isEmpty()) return false;
  return true;
}

QString EncodeContact(const TQrContact& contact, TContactFormat format) {
  return format == TContactFormat::VCard ? EncodeVCard(contact) : EncodeMeCard(contact);
}

std::optional<TDecodedContact> DecodeContact(const QString& text) {
  if (text.startsWith(QStringLiteral("BEGIN:VCARD"), Qt::CaseInsensitive)) return DecodeVCard(text);
  if (text.startsWith(QStringLiteral("MECARD:"), Qt::CaseInsensitive)) return DecodeMeCard(text);
  return std::nullopt;
}
