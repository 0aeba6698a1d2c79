#pragma once
// Where the program reads the files delivered with it (the master setup list,
// templates, pictures, help) and where it writes the user's own files
// (quorin.con, usetpage.txt).
//
// Run from its build tree or unpacked into a folder of its own, the program
// keeps everything beside itself. Installed, the delivered files lie in
// <prefix>/share/tessolo and the user's files go to the user's configuration
// folder, since the folder of an installed program is not the user's to write.
#include <QString>

#include <functional>

class ProgramFolders {
 public:
  // Empty: no folder chosen yet (users of the class then ask ForThisProgram).
  ProgramFolders() = default;
  // One folder both read and written, as the program's folder always was.
  ProgramFolders(const QString& folder);  // NOLINT(google-explicit-constructor)
  // Delivered files read from dataFolder, the user's files written to
  // writableFolder. userFolder: writableFolder is the user's configuration
  // folder, created when something is first written there.
  ProgramFolders(const QString& dataFolder, const QString& writableFolder, bool userFolder);

  using WritableTest = std::function<bool(const QString& folder)>;

  // The folders of a program whose executable lies in programFolder.
  // Delivered files beside the executable win; without them the installed
  // data folder (relative to the executable, so a moved prefix still works)
  // is used when it exists. The user's files stay beside the delivered ones
  // when those lie beside the executable and isWritable says that folder can
  // be written; otherwise they go to configFolder.
  static ProgramFolders Decide(const QString& programFolder, const QString& configFolder,
                               const WritableTest& isWritable);

  // The folders of this process: its executable's folder, the user's
  // configuration folder and a real check of writability.
  static ProgramFolders ForThisProgram();

  bool IsEmpty() const { return FDataFolder.isEmpty() && FWritableFolder.isEmpty(); }
  // Both end with "/" (unless empty).
  const QString& DataFolder() const { return FDataFolder; }
  const QString& WritableFolder() const { return FWritableFolder; }
  bool WritesToUserFolder() const { return FUserFolder; }

  QString DataPath(const QString& name) const { return FDataFolder + name; }
  QString WritablePath(const QString& name) const { return FWritableFolder + name; }
  // The copy to read of a file the program rewrites: the user's own once it
  // exists; until then one lying beside the delivered files, so that a list
  // kept there before is not lost when the user's files move.
  QString ReadPath(const QString& name) const;

  // Creates the user's configuration folder before a write when it does not
  // exist yet. False when it cannot be made (the write will then fail and
  // say so). A folder beside the program is never created.
  bool PrepareWritableFolder() const;

  bool operator==(const ProgramFolders&) const = default;

 private:
  QString FDataFolder;
  QString FWritableFolder;
  bool FUserFolder = false;
};

// The installed data folder relative to the executable's folder
// ("../share/tessolo" for the usual layout).
QString InstalledDataFolderFromProgram();

// The user's configuration folder for Tessolo (normally ~/.config/tessolo),
// ending with "/".
QString UserConfigFolder();

// Whether files can be created in folder: the system's access check and then
// a file really made and removed there, which also sees read-only mounts and
// permissions that access() misjudges.
bool IsFolderWritable(const QString& folder);
