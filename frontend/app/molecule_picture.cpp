#include "molecule_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

constexpr int kWidth = 345;
constexpr int kHeight = 174;

// A Gaussian sphere seen from outside: dense at its centre, fading to nothing.
void drawGaussianSphere(QPainter& painter, QPointF centre, double radius, QColor colour) {
  QRadialGradient gradient(centre, radius, centre - QPointF(radius * 0.3, radius * 0.3));
  QColor core = colour.lighter(150);
  QColor rim = colour;
  rim.setAlpha(0);
  gradient.setColorAt(0.0, core);
  gradient.setColorAt(0.35, colour);
  gradient.setColorAt(1.0, rim);
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawEllipse(centre, radius, radius);
}

}  // namespace

QImage drawMoleculePicture() {
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0.0, QColor(18, 32, 74));
  sky.setColorAt(1.0, QColor(6, 10, 28));
  painter.fillRect(image.rect(), sky);

  // Water: oxygen at the apex, the hydrogens below at 104.5 degrees.
  const QPointF oxygen(172, 66);
  const QPointF hydrogenLeft(100, 122);
  const QPointF hydrogenRight(244, 122);

  // Bond spheres float between the nuclei, lone-pair spheres above oxygen.
  const QColor bond(120, 200, 255);
  drawGaussianSphere(painter, (oxygen + hydrogenLeft) / 2, 34, bond);
  drawGaussianSphere(painter, (oxygen + hydrogenRight) / 2, 34, bond);
  const QColor lonePair(150, 255, 170);
  drawGaussianSphere(painter, oxygen + QPointF(-30, -34), 28, lonePair);
  drawGaussianSphere(painter, oxygen + QPointF(30, -34), 28, lonePair);

  drawGaussianSphere(painter, oxygen, 40, QColor(230, 60, 50));
  drawGaussianSphere(painter, hydrogenLeft, 26, QColor(235, 235, 245));
  drawGaussianSphere(painter, hydrogenRight, 26, QColor(235, 235, 245));

  painter.end();
  return image.convertToFormat(QImage::Format_RGB888);
}

QString moleculePictureDescription() {
  return QStringLiteral(
      "A water molecule drawn as floating Gaussian spheres on a dark blue ground: a red oxygen sphere at the apex, "
      "two white hydrogen spheres below it, blue bond spheres between oxygen and each hydrogen, and two green "
      "lone-pair spheres above the oxygen.");
}
