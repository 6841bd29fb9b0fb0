#pragma once

#include <QRect>
#include <QSize>

// The form is laid out in twips, 15 to a pixel at 96 dots per inch.
constexpr int pixelsFromTwips(int twips) { return (twips * 2 + 15) / 30; }  // nearest pixel

inline QRect pixelsFromTwips(QRect twips) {
  return {pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()), pixelsFromTwips(twips.width()),
          pixelsFromTwips(twips.height())};
}

inline QSize pixelsFromTwips(QSize twips) {
  return {pixelsFromTwips(twips.width()), pixelsFromTwips(twips.height())};
}
