#pragma once

#include <QString>
#include <QStringList>

#include "message.h"

class QWidget;

// Everything the form asks of the desktop: message boxes, the file-open
// dialog, starting programs and ending this one. The form goes through this
// interface only, so tests can record each request instead of meeting a modal
// dialog.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // A modal message box with an OK button; returns when it is dismissed.
  virtual void showMessage(QWidget* parent, const Message& message) = 0;

  // The file-open dialog with Qt name filters, the first one selected.
  // Returns the chosen file's full path, or an empty text when cancelled.
  virtual QString chooseFileToOpen(QWidget* parent, const QStringList& nameFilters) = 0;

  // Makes folder the current directory and starts program there with no
  // arguments, without waiting for it. False when it cannot be started.
  virtual bool startProgram(const QString& program, const QString& folder) = 0;

  // Opens a text file in the desktop's viewer, without waiting.
  // False when no viewer could be started.
  virtual bool openInViewer(const QString& path) = 0;

  // Ends this program at once.
  virtual void exitProgram() = 0;
};
