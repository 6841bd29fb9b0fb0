#include "desktop_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace {

QMessageBox::Icon messageBoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void DesktopServices::showMessage(QWidget* parent, const Message& message) {
  QMessageBox box(messageBoxIcon(message.icon), message.title, message.text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

QString DesktopServices::chooseFileToOpen(QWidget* parent, const QStringList& nameFilters) {
  QFileDialog dialog(parent);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // The filters' own descriptions carry the patterns to show.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(nameFilters);
  if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.front());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

bool DesktopServices::startProgram(const QString& program, const QString& folder) {
  if (!QDir::setCurrent(folder)) return false;
  return QProcess::startDetached(program, {}, folder);
}

bool DesktopServices::openInViewer(const QString& path) {
#ifdef Q_OS_WIN
  // The system text editor, with the path unquoted after one blank.
  QProcess notepad;
  notepad.setProgram(QStringLiteral("notepad"));
  notepad.setNativeArguments(QDir::toNativeSeparators(path));
  return notepad.startDetached();
#else
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

void DesktopServices::exitProgram() { QCoreApplication::exit(0); }
