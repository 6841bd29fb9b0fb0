// Renders the options form at its start state to a PNG file, for looking at
// the layout without a display: form-screenshot OUTPUT.png
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "application_look.h"
#include "input_options_form.h"
#include "program_folder.h"
#include "recording_services.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: form-screenshot OUTPUT.png\n");
    return 2;
  }
  setApplicationLook();
  RecordingServices services;
  // As an installed copy shows itself: its files in the per-user working folder.
  InputOptionsForm form(services, {lobeEnginePath(QDir::tempPath()), perUserWorkingFolder({}, QDir::homePath())});
  form.show();
  QApplication::processEvents();
  if (!form.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "form-screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
