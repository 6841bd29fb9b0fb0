#pragma once

#include "layout.h"

// The record layouts of every report line, in edit-descriptor notation.
namespace scf1s::layouts {

// Run driver.
extern const Layout banner;           // values: the 30 two-character pieces of the title
extern const Layout parameterEcho;    // nat, nbs, nel, iop, lit, mul
extern const Layout separator;
extern const Layout atomLine;         // atom number, zn, x, y, z
extern const Layout sphereLine;       // sphere number, alpha, x, y, z
extern const Layout parabolaLine;     // xmin
extern const Layout parabolaNoVertex;
extern const Layout parabolaTooLarge;

// Matrix printer.
extern const Layout matrixColumnHeader;  // up to six column numbers
extern const Layout matrixRow;           // row number, up to six elements
extern const Layout matrixClosing;

// Matrix titles.
extern const Layout sOverlapTitle;
extern const Layout hCoreTitle;
extern const Layout hCoreEigenvectorsTitle;
extern const Layout fMatrixTitle;
extern const Layout cMatrixTitle;
extern const Layout densityTitle;  // noc

// SCF cycle.
extern const Layout nuclearRepulsionLine;  // nuclear repulsion energy
extern const Layout integralListHeading;   // iop
extern const Layout integralLine;          // i, j, k, l, integral
extern const Layout iterationHeading;      // iteration counter
extern const Layout electronicEnergyLine;  // electronic energy
extern const Layout convergedLine;
extern const Layout notConvergedLine;
extern const Layout totalEnergyBlock;      // nuclear repulsion, total energy
extern const Layout orbitalEnergyHeading;
extern const Layout orbitalEnergyList;     // E(1) ... E(nbs)

// Orbital solve.
extern const Layout sInvHalfTitle;
extern const Layout orbsolveEnergyHeader;
extern const Layout orbsolveEnergyLine;      // k, E(k)
extern const Layout overlapFailureLine;      // k, k, s(k)
extern const Layout overlapFailureNote;
extern const Layout nearlySingularOverlap;   // smallest eigenvalue of S, threshold
extern const Layout jacobiNotFinite;
extern const Layout jacobiRotationCap;       // rotations made

// Centre of mass and dipole moment.
extern const Layout centreOfMassLine;   // xm, ym, zm
extern const Layout massUnknownLine;    // atom number, zn
extern const Layout massZeroLine;
extern const Layout dipoleLine;         // Dx, Dy, Dz, |D|

// Population analysis.
extern const Layout overlapPopulationTitle;  // noc
extern const Layout sphereChargeList;        // i, q(i) for every sphere
extern const Layout atomChargeNote;
extern const Layout mayerTitle;
extern const Layout mayerNote;

}  // namespace scf1s::layouts
