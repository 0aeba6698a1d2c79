#pragma once
// String-table ids of the QR code dialog and its messages.
namespace QrCodeStrings {
inline constexpr int Caption = 1600, EditCaption = 1601;
inline constexpr int KindText = 1602, KindContact = 1603;
inline constexpr int Name = 1604, Kana = 1605, Company = 1606, Title = 1607, Phone = 1608, Fax = 1609,
                     Email = 1610, Url = 1611, Address = 1612;
inline constexpr int Format = 1613, FormatVCard = 1614, FormatMeCard = 1615;
inline constexpr int Level = 1616, LevelL = 1617, LevelM = 1618, LevelQ = 1619, LevelH = 1620;
inline constexpr int SizeMm = 1621, Preview = 1622, OK = 1623, Cancel = 1624, Content = 1625;
// Messages.
inline constexpr int TooLong = 1630, NoContent = 1631, NotStorable = 1632, NoMemory = 1633;
}  // namespace QrCodeStrings
