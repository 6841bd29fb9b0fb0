#pragma once

#include <QString>

// The form's about line: the package, its documentation, and the working
// folder that holds lobe.dat and lobe.out, so that a user can find them. A
// folder in home is written from "~"; a path too long for the line keeps its
// start and end around an ellipsis.
QString aboutLine(const QString& workingFolder, const QString& home);
