#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry.h"

namespace lobe {

// The result of a run in the MolSSI QCSchema output form.
struct QcSchemaOutput {
  std::vector<std::string> symbols;
  std::vector<Point> geometryBohr;
  int charge = 0;
  int multiplicity = 1;
  std::string method;  // "RHF", "UHF", "MP2"
  std::string basis;   // "6-31G**"
  bool success = false;
  std::optional<double> returnEnergy;
  std::optional<double> scfTotalEnergy;
  std::optional<int> scfIterations;
  std::optional<Point> scfDipoleMoment;  // e a0
  std::optional<double> nuclearRepulsion;
  std::optional<double> mp2CorrelationEnergy;
  std::optional<double> mp2TotalEnergy;
  std::optional<int> basisFunctions;
  std::string errorType;  // when !success
  std::string errorMessage;
  struct LobeRow {
    int function;  // 1-based basis function
    double exponent, coefficient;
    Point centre;  // bohr
  };
  std::vector<LobeRow> lobes;
  std::vector<std::string> functionLabels;
};

// The JSON text, with every number to 17 significant digits.
std::string qcSchemaJson(const QcSchemaOutput& output);

}  // namespace lobe
