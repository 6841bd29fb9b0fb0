#include "program_folder.h"

#include <QDir>
#include <QFileInfo>

// The install rules define where an installed engine lies, relative to the
// installed vorden-input's folder, so the lookup holds for any install prefix.
#ifndef LOBE_ENGINE_INSTALL_FOLDER
#error "LOBE_ENGINE_INSTALL_FOLDER (the installed engine's folder relative to vorden-input's) is not defined"
#endif

QString lobeEnginePath(const QString& folder) {
#ifdef Q_OS_WIN
  return QDir(folder).filePath(QStringLiteral("vorden.exe"));
#else
  return QDir(folder).filePath(QStringLiteral("vorden"));
#endif
}

QString lobeDatPath(const QString& folder) { return QDir(folder).filePath(QStringLiteral("lobe.dat")); }

QString lobeOutPath(const QString& folder) { return QDir(folder).filePath(QStringLiteral("lobe.out")); }

LobePlaces placesInOneFolder(const QString& folder) { return {lobeEnginePath(folder), folder}; }

QString perUserWorkingFolder(const QString& xdgDataHome, const QString& home) {
  // Relative values are to be ignored, as the XDG base directory rules say.
  const QString dataHome = !xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome)
                               ? xdgDataHome
                               : QDir(home).filePath(QStringLiteral(".local/share"));
  return QDir(dataHome).filePath(QStringLiteral("vorden-input"));
}

LobePlaces lobePlacesFor(const QString& programFolder, bool programFolderWritable, const QString& perUserFolder) {
  QString engine = lobeEnginePath(programFolder);
  if (!QFileInfo(engine).isFile()) {
    const QString installed =
        lobeEnginePath(QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(LOBE_ENGINE_INSTALL_FOLDER))));
    if (QFileInfo(installed).isFile()) engine = installed;
  }
  if (programFolderWritable) return {engine, programFolder};
  // A folder that cannot be made shows up at the first launch, whose write
  // of lobe.dat then names it.
  QDir().mkpath(perUserFolder);
  return {engine, perUserFolder};
}
