#include "flushed_write.h"

#include <QFileDevice>

bool writeAndFlush(QFileDevice& file, const QByteArray& bytes) {
  return file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
}
