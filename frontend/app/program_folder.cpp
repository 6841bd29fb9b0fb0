#include "program_folder.h"

#include <QDir>

QString lobeEnginePath(const QString& programFolder) {
#ifdef Q_OS_WIN
  return QDir(programFolder).filePath(QStringLiteral("vorden.exe"));
#else
  return QDir(programFolder).filePath(QStringLiteral("vorden"));
#endif
}

QString lobeDatPath(const QString& programFolder) { return QDir(programFolder).filePath(QStringLiteral("lobe.dat")); }

QString lobeOutPath(const QString& programFolder) { return QDir(programFolder).filePath(QStringLiteral("lobe.out")); }
