#pragma once

#include <QByteArray>

class QFileDevice;

// Writes bytes to an open file and pushes them out of Qt's buffer at once. A
// buffered write only fills the buffer, and a failure of the flush inside a
// later close or QSaveFile::commit() goes unreported, so a full disk would
// leave an empty file behind a success. False, with the file's errorString()
// saying why, when any byte did not reach the file system.
bool writeAndFlush(QFileDevice& file, const QByteArray& bytes);
