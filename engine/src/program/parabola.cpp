#include "parabola.h"

#include <cmath>

namespace scf1s {

ParabolaVertex parabolaVertex(const double x[3], const double y[3]) {
  const double x1 = x[0], x2 = x[1], x3 = x[2];
  const double y1 = y[0], y2 = y[1], y3 = y[2];
  // Two points over one abscissa lie on no parabola y(x), whatever D says.
  if (x1 == x2 || x1 == x3 || x2 == x3) return {ParabolaVertex::Kind::NoVertex, 0};
  // N = y1 (x2² − x3²) + y2 (x3² − x1²) + y3 (x1² − x2²) and
  // D = y1 (x3 − x2) + y2 (x1 − x3) + y3 (x2 − x1), term by term, left to right.
  double n = y2 * (x3 * x3) - y3 * (x2 * x2) - y1 * (x3 * x3) + y1 * (x2 * x2) + (x1 * x1) * y3 - (x1 * x1) * y2;
  double d = x2 * y3 - x3 * y2 - x1 * y3 + x1 * y2 + y1 * x3 - y1 * x2;
  if (d == 0) return {ParabolaVertex::Kind::NoVertex, 0};
  double xmin = -(n / (2 * d));
  if (!std::isfinite(xmin)) return {ParabolaVertex::Kind::TooLarge, 0};
  return {ParabolaVertex::Kind::Vertex, xmin};
}

}  // namespace scf1s
