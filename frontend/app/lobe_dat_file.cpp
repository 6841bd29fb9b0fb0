#include "lobe_dat_file.h"

#include <string_view>

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "flushed_write.h"
#include "platform_services.h"
#include "program_folder.h"

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// A failure described in the platform's words; the message has no icon.
bool fail(PlatformServices& services, QWidget* parent, const QString& description) {
  services.showMessage(parent, Message{description, MessageIcon::None});
  return false;
}

}  // namespace

bool blnCreateLobeDat(PlatformServices& services, QWidget* parent, const QString& workingFolder,
                      const QString& coordinatePath, const vorden::LobeOptions& options) {
  QFile coordinates(coordinatePath);
  if (!coordinates.open(QIODevice::ReadOnly))
    return fail(services, parent,
                QStringLiteral("The coordinate file %1 cannot be opened: %2.")
                    .arg(shown(coordinatePath), coordinates.errorString()));
  const QByteArray content = coordinates.readAll();
  if (coordinates.error() != QFileDevice::NoError)
    return fail(services, parent,
                QStringLiteral("The coordinate file %1 cannot be read: %2.")
                    .arg(shown(coordinatePath), coordinates.errorString()));
  coordinates.close();

  const vorden::LobeDatText lobeDat =
      vorden::buildLobeDat(options, std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
  if (!lobeDat.ok) {
    const bool outOfRange = lobeDat.failure.kind == vorden::CoordinateFailure::Kind::OutOfRange;
    services.showMessage(parent, Message{QString::fromLatin1(lobeDat.failure.message),
                                         outOfRange ? MessageIcon::Information : MessageIcon::None});
    return false;
  }

  const QString target = lobeDatPath(workingFolder);
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly))
    return fail(services, parent, QStringLiteral("%1 cannot be created: %2.").arg(shown(target), file.errorString()));
  const QByteArray bytes(lobeDat.text.data(), static_cast<qsizetype>(lobeDat.text.size()));
  if (!writeAndFlush(file, bytes) || !file.commit()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return fail(services, parent, QStringLiteral("%1 cannot be written: %2.").arg(shown(target), reason));
  }
  return true;
}
