#pragma once

#include <QString>

// The files of the program folder, the folder that holds vorden-input: the
// lobe engine, its input lobe.dat and its report lobe.out.
QString lobeEnginePath(const QString& programFolder);
QString lobeDatPath(const QString& programFolder);
QString lobeOutPath(const QString& programFolder);
