#pragma once
// Runs a headless command of the program in this process, as `tessolo ARGS`,
// with its standard output and error captured at the descriptors.
#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <vector>

#include <unistd.h>

#include "CommandLine.h"
#include "ProgramFolders.h"

struct CommandRun {
  bool Claimed = false;
  int Code = -1;
  QByteArray Out, Err;
};

inline QByteArray DrainCaptured(FILE* f) {
  std::fflush(f);
  std::rewind(f);
  QByteArray all;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) all.append(buf, qsizetype(n));
  std::fclose(f);
  return all;
}

// folders: where tessolo.ini is read; empty means this program's folders.
inline CommandRun RunProgram(QStringList args, const ProgramFolders& folders = {}) {
  args.prepend(QStringLiteral("tessolo"));
  std::vector<QByteArray> storage;
  std::vector<char*> argv;
  for (const QString& a : args) storage.push_back(a.toLocal8Bit());
  for (QByteArray& a : storage) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::fflush(stdout);
  std::fflush(stderr);
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  const int savedOut = dup(1), savedErr = dup(2);
  dup2(fileno(out), 1);
  dup2(fileno(err), 2);
  CommandRun r;
  r.Claimed = folders.IsEmpty() ? TryRunCommandLine(int(args.size()), argv.data(), &r.Code)
                                : TryRunCommandLine(int(args.size()), argv.data(), &r.Code, folders);
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(savedOut, 1);
  dup2(savedErr, 2);
  close(savedOut);
  close(savedErr);
  r.Out = DrainCaptured(out);
  r.Err = DrainCaptured(err);
  return r;
}
