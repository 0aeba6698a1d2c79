#pragma once
// A contact as the text of a QR code, in either form Japanese phones read:
// vCard 3.0 or MECARD. Empty fields are left out; each form's special
// characters are escaped. Reading back understands what we write, so a
// code's content can be opened for editing again.
#include <QString>

#include <optional>

struct TQrContact {
  QString Name, Kana, Company, Title, Phone, Fax, Email, Url, Address;
  bool operator==(const TQrContact&) const = default;
  bool Empty() const;
};

enum class TContactFormat { VCard, MeCard };

QString EncodeContact(const TQrContact& contact, TContactFormat format);

struct TDecodedContact {
  TQrContact Contact;
  TContactFormat Format = TContactFormat::VCard;
};

// nullopt when text is neither a vCard nor a MECARD.
std::optional<TDecodedContact> DecodeContact(const QString& text);
