#include "report_layouts.h"

#include <string>

namespace scf1s::layouts {
namespace {
// The text of 80 asterisks, as a layout item.
const std::string A80 = "\"" + std::string(80, '*') + "\"";
}  // namespace

const Layout banner{A80 + R"(, /,
  23X, "Floating-Sphere SCF for Classrooms", /,
  27X, "set up by K. Brannock at", /,
  22X, "Eastmoore Polytechnic University", /,
  30X, "Marston Crossways", /,
  36X, "2006", /,
  29X, "Orbitwise Numeric LLC", /, )" + A80 + R"(, /, /,
  10X, 30A2, /, )" + A80 + R"(, /,
  "12345678901234567890123456789012345678901234567890123456789012345678901234567890", /, )" +
                    A80 + ", /"};
const Layout parameterEcho{R"(1X, "nat=", I3, 2X, "nbs=", I3, 2X, "nel=", I2, 3X, "iop=", I3, 2X, "lit=", I3, 2X, "mul=", I2, /, )" + A80 + ", /"};
const Layout separator{A80};
const Layout atomLine{R"(1X, "atom(", I2, ")   zn=", F4.1, "   x=", F10.6, "   y=", F10.6, "   z=", F10.6)"};
const Layout sphereLine{R"(1X, "1S-sphere(", I3, ") alpha=", F10.5, "  x=", F10.6, "  y=", F10.6, "  z=", F10.6)"};
const Layout parabolaLine{R"(" ", "***** predicted parabolic minimum = ", F20.10, " *****")"};
const Layout parabolaNoVertex{R"(" ", "***** no parabolic minimum: the three points lie on a straight line or share an abscissa *****")"};
const Layout parabolaTooLarge{R"(" ", "***** no parabolic minimum: the three points are too large to compute the vertex *****")"};

const Layout matrixColumnHeader{R"(1X, 6(8X, I3), /, /)"};
const Layout matrixRow{R"(1X, I2, 2X, 6F11.6)"};
const Layout matrixClosing{R"(1X, /)"};

const Layout sOverlapTitle{R"(/, 30X, "S-overlap matrix", /)"};
const Layout hCoreTitle{R"(/, 30X, "H-core matrix", /)"};
const Layout hCoreEigenvectorsTitle{R"(/, 30X, "H-core Eigenvectors, by columns", /)"};
const Layout fMatrixTitle{R"(/, 30X, "F-matrix", /)"};
const Layout cMatrixTitle{R"(/, 25X, "C-matrix, by columns", /)"};
const Layout densityTitle{R"(/, 30X, "P-matrix, noc =", I3, /)"};

const Layout nuclearRepulsionLine{R"(1X, "Nuclear Repulsion =", F15.10)"};
const Layout integralListHeading{R"(/, 1X, "Unique Two-Electron Integrals, iop =", I2)"};
const Layout integralLine{R"(1X, 4I3, F15.10)"};
const Layout iterationHeading{R"(23X, "********** Iteration", I4, " **********", /)"};
const Layout electronicEnergyLine{R"(/, 5X, "Electronic Energy =", F20.10, /)"};
const Layout convergedLine{R"(/, 27X, "<<<<<ENERGY CONVERGED!>>>>>", /)"};
const Layout notConvergedLine{R"(28X, "ENERGY DID NOT CONVERGE!", /, /, /)"};
const Layout totalEnergyBlock{R"(5X, "Nuclear Repulsion =", F20.10, /, /, 5X, "**** Total Energy =", F20.10, " hartrees ****", /)"};
const Layout orbitalEnergyHeading{R"(16X, "Final Orbital Energies in hartrees, lowest first", /)"};
const Layout orbitalEnergyList{R"(10(" ", F10.6, " "), /)"};

const Layout sInvHalfTitle{R"(/, 31X, "S**(-1/2) Matrix", /)"};
const Layout orbsolveEnergyHeader{R"(19X, "Orbital Energies in hartrees, lowest first", /)"};
const Layout orbsolveEnergyLine{R"(26X, "E(", I3, ") =", F20.12)"};
const Layout overlapFailureLine{R"(50X, "impossible s eigenvalue s(", I3, ",", I3, ") = ", F8.3)"};
const Layout overlapFailureNote{R"(" mistake in overlap calc., energy matrix follows")"};
const Layout nearlySingularOverlap{R"(1X, "Warning: S is nearly singular, smallest eigenvalue", F13.10, " <", F5.2, ": spheres nearly dependent, energies may be wrong by more than 1e-4 hartree")"};
const Layout jacobiNotFinite{R"(1X, "Jacobi diagonalisation stopped: a matrix element is not finite")"};
const Layout jacobiRotationCap{R"(1X, "Jacobi diagonalisation stopped after", I9, " rotations without convergence")"};

const Layout centreOfMassLine{R"(/, /, 1X, "The center of mass is at xm =", F10.6, 3X, "ym =", F10.6, 3X, "zm =", F10.6)"};
const Layout massUnknownLine{R"(1X, "atom(", I2, ")   zn=", F6.2, "  has no mass in the table (Z = 1 to 36); mass 0 used")"};
const Layout massZeroLine{R"(1X, "Total nuclear mass is 0: the center of mass is taken at the origin")"};
const Layout dipoleLine{R"(/, 1X, "Dipole Moment = (", 2(F10.6, ","), F10.6, ") = ", F10.6, " Debyes", /)"};

const Layout overlapPopulationTitle{R"(14X, "Mulliken Overlap Populations for ", I2, " filled orbitals", /)"};
const Layout sphereChargeList{R"(" ", 33X, "Orbital Charges", /, 5(1X, 4("q(", I2, ")=", F9.6, 1X), /))"};
const Layout atomChargeNote{R"(14X, "Cannot Calculate Atom Charges for Floating Orbitals", /)"};
const Layout mayerTitle{R"(28X, "Mayer Bond Order Matrix", /)"};
const Layout mayerNote{R"(20X, "Cannot Assign Floating Spheres to Atoms", /)"};

}  // namespace scf1s::layouts
