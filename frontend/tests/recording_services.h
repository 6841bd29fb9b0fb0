#pragma once

#include <functional>

#include <QString>
#include <QStringList>
#include <QVector>

#include "desktop_services.h"
#include "platform_services.h"

// Platform services that record every request instead of showing a dialog or
// starting a program, and answer with what the test has set.
class RecordingServices : public PlatformServices {
 public:
  struct Start {
    QString program;
    QString folder;
  };

  void showMessage(QWidget*, const Message& message) override {
    messages.push_back(message);
    if (onMessage) onMessage();
  }

  QString chooseFileToOpen(QWidget*, const QStringList& nameFilters) override {
    fileDialogFilters.push_back(nameFilters);
    return fileDialogAnswer;
  }

  bool startProgram(const QString& program, const QString& folder) override {
    starts.push_back({program, folder});
    if (startForReal) return DesktopServices().startProgram(program, folder);
    return startSucceeds;
  }

  bool openInViewer(const QString& path) override {
    viewed.push_back(path);
    return viewerStarts;
  }

  void exitProgram() override { ++exitRequests; }

  QVector<Message> messages;
  std::function<void()> onMessage;  // runs while the message would be up
  QVector<QStringList> fileDialogFilters;
  QString fileDialogAnswer;  // empty: the dialog is cancelled
  QVector<Start> starts;
  bool startSucceeds = true;
  bool startForReal = false;  // start programs as the desktop would, answering with its result
  QStringList viewed;
  bool viewerStarts = true;
  int exitRequests = 0;
};
