#include "application_look.h"

#include <QApplication>
#include <QStyleFactory>

#include "message.h"

void setApplicationLook() {
  QApplication::setApplicationName(kApplicationTitle);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}
