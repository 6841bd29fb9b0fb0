#include "about_line.h"

#include <QDir>

namespace {

// What the second of the line's two rows holds after its caption, with room
// to spare for wide letters.
constexpr qsizetype kFolderCharacters = 44;

QString shortened(const QString& folder, const QString& home) {
  const QString path = QDir::cleanPath(folder);
  const QString homePath = QDir::cleanPath(home);
  QString shown = path;
  if (!homePath.isEmpty() && homePath != QStringLiteral("/") && path.startsWith(homePath + QLatin1Char('/')))
    shown = QStringLiteral("~") + path.mid(homePath.size());
  shown = QDir::toNativeSeparators(shown);
  if (shown.size() <= kFolderCharacters) return shown;
  // Too long: the first folder, an ellipsis, and the whole folders at the end that fit.
  const QChar separator = QDir::separator();
  const QString head = shown.left(qMax<qsizetype>(shown.indexOf(separator, 1), 0)) + separator + QChar(0x2026);
  QString tail = shown.right(kFolderCharacters - head.size());
  if (const qsizetype whole = tail.indexOf(separator); whole >= 0) tail = tail.mid(whole);
  return head + tail;
}

}  // namespace

QString aboutLine(const QString& workingFolder, const QString& home) {
  return QStringLiteral("VORDEN Input of Floating-Sphere SCF for Classrooms, see README.md.\n"
                        "lobe.dat and lobe.out: %1")
      .arg(shortened(workingFolder, home));
}
