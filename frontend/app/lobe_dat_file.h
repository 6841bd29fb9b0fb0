#pragma once

#include <QString>

#include "lobe_dat.h"

class PlatformServices;
class QWidget;

// blnCreateLobeDat: reads the coordinate file, builds lobe.dat for the form's
// options and writes it into the working folder in one piece (a temporary
// file renamed into place, so a failure, a full disk too, never leaves a
// partial file). On failure it shows its own message and returns false;
// nothing is written.
bool blnCreateLobeDat(PlatformServices& services, QWidget* parent, const QString& workingFolder,
                      const QString& coordinatePath, const vorden::LobeOptions& options);
