#pragma once

#include <QImage>

// The form's picture: a water molecule drawn as floating Gaussian spheres,
// 345 x 174 pixels in 24-bit colour.
QImage drawMoleculePicture();

// What the picture shows, in words, for assistive tools.
QString moleculePictureDescription();
