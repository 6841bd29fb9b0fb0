// vorden-input: prepares lobe.dat for the lobe engine, starts the engine and
// shows its report.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "application_look.h"
#include "desktop_services.h"
#include "input_options_form.h"
#include "program_folder.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  setApplicationLook();

  const QString programFolder = QCoreApplication::applicationDirPath();
  const LobePlaces places =
      lobePlacesFor(programFolder, QFileInfo(programFolder).isWritable(),
                    perUserWorkingFolder(qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()));

  DesktopServices services;
  InputOptionsForm form(services, places);
  form.show();
  return application.exec();
}
