#pragma once

#include "platform_services.h"

// The platform services of a desktop session: Qt's message box and file
// dialog, detached processes, and the desktop's default viewer.
class DesktopServices : public PlatformServices {
 public:
  void showMessage(QWidget* parent, const Message& message) override;
  QString chooseFileToOpen(QWidget* parent, const QStringList& nameFilters) override;
  bool startProgram(const QString& program, const QString& folder) override;
  bool openInViewer(const QString& path) override;
  void exitProgram() override;
};
