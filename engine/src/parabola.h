#pragma once

#include <optional>

namespace scf1s {

// Abscissa of the vertex of the parabola through (x1,y1), (x2,y2), (x3,y3);
// nothing when the three points lie on a straight line (no vertex).
std::optional<double> parabolaVertex(const double x[3], const double y[3]);

}  // namespace scf1s
