#pragma once
// The named page setups: the master list delivered beside the program (read
// only) and the user's list (rewritten on every change), loaded into one table.
#include <QByteArray>
#include <QString>

#include <array>

#include "DocumentPageSetup.h"
#include "PageSetupRecord.h"
#include "ProgramFolders.h"

class QIODevice;

inline constexpr int MaxSetups = 256;
inline constexpr char MasterListFileName[] = "msetpage.txt";
inline constexpr char UserListFileName[] = "usetpage.txt";

// Master records first, then the user's. List position k >= 1 of the page
// setup dialog is record k - 1; position 0 is the free setting.
struct SetupTable {
  std::array<PageSetup, MaxSetups> Records{};
  int MasterCount = 0;
  int UserCount = 0;

  int Count() const { return MasterCount + UserCount; }
  bool IsFull() const { return Count() >= MaxSetups; }
  // Any record, master or user, of exactly this name.
  bool HasName(const SetupNameBuffer& name) const;
};

// Appends the records of one list file to the table from slot firstSlot on and
// returns how many were taken; at most 256 - firstSlot. A missing file, a
// header line, blank or malformed lines and records beyond the page-setup
// limits add nothing and report nothing.
int ReadSetupFile(const QString& path, SetupTable& table, int firstSlot);
// The same from an open device.
int ReadSetupList(QIODevice& device, SetupTable& table, int firstSlot);

// The user list as WriteUserFile writes it.
QByteArray UserListText(const SetupTable& table);

// Rewrites the user list from the user part of the table: header line, then
// one line per user record, CR LF line ends. The file is replaced only when
// everything was written, so a failure leaves the previous list whole (where
// its folder admits no new file, the list is written in place).
// Returns 0, or -1 after showing message 1120.
int WriteUserFile(const QString& path, const SetupTable& table);

// The two lists of the program, and the operations of the page setup
// dialog's register and delete buttons.
class SetupLists {
 public:
  // The master list is read from the data folder, the user list from the
  // writable folder (or, until the user has one there, from beside the master
  // list) and always written to the writable folder. By default this
  // program's folders.
  explicit SetupLists(const ProgramFolders& folders = {});

  // Reads the master list, then the user list, afresh.
  void Load();

  const SetupTable& Table() const { return FTable; }
  QString MasterPath() const;
  // Where the user list is written.
  QString UserPath() const;
  // Where it is read from.
  QString UserReadPath() const;

  // Adds a user setup of this name with these values and rewrites the user
  // list. Returns the list position to select: the new last one, or 0 (the
  // free setting) when the list could not be saved and the table was left as
  // before. A full table adds nothing and returns 0.
  int RegisterSetup(const SetupNameBuffer& name, const PageSetup& values);

  // Deletes the user setup at list position and rewrites the user list.
  // Returns the position to select: the one before it, or the same position
  // when the list could not be saved and nothing was deleted.
  int DeleteSetup(int position);

  // The list position that matches the document's page setup when the dialog
  // opens; shows message 1100, 1101 or 1102 where the document names a setup
  // the lists do not hold as it was.
  int MatchDocumentSetup(const DocumentPageSetup& doc, bool startNewDocument, bool legacyPageSetup) const;

 private:
  int WriteUserList(const SetupTable& table) const;

  ProgramFolders FFolders;
  SetupTable FTable;
};
