#pragma once
// One named page setup and its line in the setup list files.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// A setup name as documents and the lists hold it: 64 bytes of Shift-JIS text,
// NUL-terminated, at most 63 bytes of text, the rest always zero so that two
// names compare alike byte for byte.
class SetupNameBuffer {
 public:
  static constexpr int Capacity = 64;
  static constexpr int MaxBytes = Capacity - 1;

  SetupNameBuffer() = default;
  // Text longer than 63 bytes is cut there, never inside a double-byte
  // character.
  static SetupNameBuffer FromBytes(QByteArrayView bytes);
  static SetupNameBuffer FromText(const QString& text);
  // A stored 64-byte field whose bytes after the NUL may be anything, or that
  // may lack the NUL altogether.
  static SetupNameBuffer FromField(const char (&field)[Capacity]);

  QByteArray Bytes() const;  // up to the NUL
  QString Text() const;
  bool IsEmpty() const { return FBytes[0] == 0; }
  const std::array<char, Capacity>& Field() const { return FBytes; }

  friend bool operator==(const SetupNameBuffer&, const SetupNameBuffer&) = default;

 private:
  std::array<char, Capacity> FBytes{};
};

struct PageSetup {
  SetupNameBuffer SetupName;
  float PaperWidth = 0.0f;
  float PaperHeight = 0.0f;
  float SheetWidth = 0.0f;
  float SheetHeight = 0.0f;
  std::int32_t Retu = 0;
  std::int32_t Dann = 0;
  float LeftMargin = 0.0f;
  float TopMargin = 0.0f;
  float InsideMarginX = 0.0f;
  float InsideMarginY = 0.0f;
};

// Margins left over on the right and at the bottom; negative when the cards do
// not fit.
float RightMarginOf(float paperWidth, std::int32_t retu, float sheetWidth, float leftMargin, float insideMarginX);
float BottomMarginOf(float paperHeight, std::int32_t dann, float sheetHeight, float topMargin, float insideMarginY);

// The record's line without its line end:
// "name", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0
QByteArray FormatSetupLine(const PageSetup& setup);

// Reads one line (without its line end): the name between the first two double
// quotes, then ten values, each after the next comma. Blanks before a value are
// skipped, a value ends where it cannot go on, a value that is not a number
// reads as 0; nullopt when the quotes or any of the ten commas are missing.
std::optional<PageSetup> ParseSetupLine(QByteArrayView line);
