#pragma once

#include <QString>

#include "lobe_dat.h"
#include "program_folder.h"

class PlatformServices;
class QWidget;

// The ends of a work cycle: launching the lobe engine on a new lobe.dat, and
// viewing its report. Both work in the working folder.

enum class LaunchResult {
  Started,
  NoCoordinateFile,       // the path box is empty
  CoordinateFileMissing,  // no file at the path
  OldResultsKept,         // the previous lobe.out or lobe.dat cannot be deleted
  LobeDatNotCreated,
  EngineNotStarted,
};

// Checks the coordinate path, deletes the previous lobe.out and lobe.dat,
// writes the new lobe.dat and starts the engine there without waiting. Every
// failure is shown as a message before it returns.
LaunchResult launchLobeEngine(PlatformServices& services, QWidget* parent, const LobePlaces& places,
                              const QString& coordinatePath, const vorden::LobeOptions& options);

// Opens lobe.out in the desktop's viewer, or says that there is none yet.
void viewLobeOutput(PlatformServices& services, QWidget* parent, const QString& workingFolder);
