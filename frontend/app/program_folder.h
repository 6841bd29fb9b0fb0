#pragma once

#include <QString>

// Where a launch finds the lobe engine and keeps the engine's files.
struct LobePlaces {
  QString engine;         // the lobe engine's program
  QString workingFolder;  // holds lobe.dat and lobe.out; the engine runs there
};

// The files of a folder: the lobe engine, its input lobe.dat and its report lobe.out.
QString lobeEnginePath(const QString& folder);
QString lobeDatPath(const QString& folder);
QString lobeOutPath(const QString& folder);

// Everything in one folder, the engine beside its lobe.dat and lobe.out (a
// build folder).
LobePlaces placesInOneFolder(const QString& folder);

// The per-user working folder: $XDG_DATA_HOME/vorden-input, or
// <home>/.local/share/vorden-input when XDG_DATA_HOME is unset or relative.
QString perUserWorkingFolder(const QString& xdgDataHome, const QString& home);

// The places of the vorden-input whose program lies in programFolder. The
// engine lies beside the program, or else in the package's libexec folder; when
// neither holds it, the place beside the program is named. The files stay in
// the program folder when it is writable (a build folder, a copy unpacked in a
// home folder); an installed copy's folder is a system folder, so then they go
// to perUserFolder, which is created when missing.
LobePlaces lobePlacesFor(const QString& programFolder, bool programFolderWritable, const QString& perUserFolder);
