// vorden-input: prepares lobe.dat for the lobe engine, starts the engine and
// shows its report.
#include <QApplication>

#include "application_look.h"
#include "desktop_services.h"
#include "input_options_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  setApplicationLook();

  DesktopServices services;
  InputOptionsForm form(services, QCoreApplication::applicationDirPath());
  form.show();
  return application.exec();
}
