#pragma once
// Merge fields in a text: "{column}" stands for that column's cell of the
// row being printed; "{{" and "}}" stand for literal braces. A "{" that no
// "}" closes before the next "{" is kept as typed, and so is a lone "}".
#include <QString>
#include <QStringList>

#include <vector>

class TFieldText {
 public:
  explicit TFieldText(const QString& text);

  bool HasFields() const { return FHasFields; }
  // The field names, trimmed, in order of first appearance.
  QStringList FieldNames() const;
  // Ties each field to its column of columns; returns the names that are
  // none of them (a field left unbound fills in as typed).
  QStringList Bind(const QStringList& columns);
  // The text with every bound field replaced by its cell of row (empty where
  // the row has none).
  QString Fill(const QStringList& row) const;

 private:
  struct TPart {
    QString Text;      // literal text, or the field's name
    bool Field = false;
    int Column = -1;   // once bound
  };
  std::vector<TPart> FParts;
  bool FHasFields = false;
};
