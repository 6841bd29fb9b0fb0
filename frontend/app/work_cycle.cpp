#include "work_cycle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "lobe_dat_file.h"
#include "platform_services.h"
#include "program_folder.h"

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Removes a previous run's file; false (after a message) when it stays.
bool deletePrevious(PlatformServices& services, QWidget* parent, const QString& path) {
  const QFileInfo file(path);
  if (!file.exists() && !file.isSymLink()) return true;
  QFile previous(path);
  if (previous.remove()) return true;
  services.showMessage(parent, Message{QStringLiteral("The previous run's file %1 cannot be deleted: %2. "
                                                      "Close the program that holds it and launch again.")
                                           .arg(shown(path), previous.errorString()),
                                       MessageIcon::Critical});
  return false;
}

}  // namespace

LaunchResult launchLobeEngine(PlatformServices& services, QWidget* parent, const LobePlaces& places,
                              const QString& coordinatePath, const vorden::LobeOptions& options) {
  if (coordinatePath.isEmpty()) {
    services.showMessage(parent, Message{QStringLiteral("Please specify a data input file."), MessageIcon::Information});
    return LaunchResult::NoCoordinateFile;
  }
  if (!QFileInfo(coordinatePath).isFile()) {
    services.showMessage(parent,
                         Message{QStringLiteral("File not found.  Please specify another."), MessageIcon::Information});
    return LaunchResult::CoordinateFileMissing;
  }

  // The previous report and input go first, so neither outlives a failed launch.
  if (!deletePrevious(services, parent, lobeOutPath(places.workingFolder)) ||
      !deletePrevious(services, parent, lobeDatPath(places.workingFolder)))
    return LaunchResult::OldResultsKept;

  if (!blnCreateLobeDat(services, parent, places.workingFolder, coordinatePath, options)) {
    services.showMessage(parent,
                         Message{QStringLiteral("Error occurred in lobe.dat file creation."), MessageIcon::Critical});
    return LaunchResult::LobeDatNotCreated;
  }

  if (!services.startProgram(places.engine, places.workingFolder)) {
    services.showMessage(parent, Message{QStringLiteral("The lobe engine %1 cannot be started: it is missing or "
                                                        "cannot be run. lobe.dat is ready in %2.")
                                             .arg(shown(places.engine), shown(places.workingFolder)),
                                         MessageIcon::Critical});
    return LaunchResult::EngineNotStarted;
  }
  return LaunchResult::Started;
}

void viewLobeOutput(PlatformServices& services, QWidget* parent, const QString& workingFolder) {
  const QString report = lobeOutPath(workingFolder);
  if (!QFileInfo(report).isFile()) {
    services.showMessage(parent, Message{QStringLiteral("No output file found.  (VORDEN may not be finished)"),
                                         MessageIcon::Information, QStringLiteral("'Lobe.out' missing")});
    return;
  }
  if (!services.openInViewer(report))
    services.showMessage(parent, Message{QStringLiteral("No viewer could be started for the output file %1. "
                                                        "Open it with a text editor.")
                                             .arg(shown(report)),
                                         MessageIcon::Critical});
}
