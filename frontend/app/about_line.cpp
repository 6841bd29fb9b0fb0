#include "about_line.h"

#include <QDir>

namespace {

// What the second of the line's two rows holds after its caption.
constexpr qsizetype kFolderCharacters = 50;

QString shortened(const QString& folder, const QString& home) {
  const QString path = QDir::cleanPath(folder);
  const QString homePath = QDir::cleanPath(home);
  QString shown = path;
  if (!homePath.isEmpty() && homePath != QStringLiteral("/") && path.startsWith(homePath + QLatin1Char('/')))
    shown = QStringLiteral("~") + path.mid(homePath.size());
  shown = QDir::toNativeSeparators(shown);
  if (shown.size() <= kFolderCharacters) return shown;
  const qsizetype head = kFolderCharacters / 3;
  const qsizetype tail = kFolderCharacters - head - 1;
  return shown.left(head) + QChar(0x2026) + shown.right(tail);
}

}  // namespace

QString aboutLine(const QString& workingFolder, const QString& home) {
  return QStringLiteral("VORDEN Input, part of Floating-Sphere SCF for Classrooms (see its README.md).\n"
                        "lobe.dat and lobe.out: %1")
      .arg(shortened(workingFolder, home));
}
