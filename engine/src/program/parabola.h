#pragma once

namespace scf1s {

// The vertex of the parabola through (x1,y1), (x2,y2), (x3,y3).
struct ParabolaVertex {
  enum class Kind {
    Vertex,    // xmin holds the abscissa of the vertex
    NoVertex,  // the points lie on a straight line, or two share an abscissa
    TooLarge,  // the numbers overflow a double before the vertex is found
  };
  Kind kind = Kind::NoVertex;
  double xmin = 0;
};

ParabolaVertex parabolaVertex(const double x[3], const double y[3]);

}  // namespace scf1s
