#include "run.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "analysis.h"
#include "lobe_dat_reader.h"
#include "molecule_summary.h"
#include "mp2.h"
#include "one_electron.h"
#include "qcschema.h"
#include "report_file.h"
#include "scf.h"
#include "two_electron.h"

namespace lobe {
namespace {

using Clock = std::chrono::steady_clock;

// A run that cannot go on: the status, the QCSchema error type and the words for lobe.out.
struct RunStop {
  ExitStatus status;
  std::string errorType;
  std::string message;
};

constexpr double kClosestAtomsAngstrom = 0.1;

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return content.str();
}

bool writeWholeFile(const std::filesystem::path& path, const std::string& text) {
  const std::filesystem::path partial = path.string() + ".partial";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) std::filesystem::remove(partial, error);
  return !error;
}

// "  Label ...... value" with the values in one column.
std::string row(std::string_view label, const std::string& value) {
  std::string line = "  " + std::string(label);
  line.resize(32, ' ');
  return line + value + "\n";
}

std::string orUnknown(const std::optional<std::string>& name, int code) {
  return name ? *name : "unknown code " + std::to_string(code);
}

// A value as printed to six decimals, without a minus sign on a zero.
double shown(double value) { return std::abs(value) < 5e-7 ? 0.0 : value; }

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The options the form asked for that this engine does not compute, one line each.
std::vector<std::string> notComputed(const vorden::LobeDeck& deck) {
  std::vector<std::string> lines;
  if (deck.symmetry != 0) {
    lines.push_back("Point-group symmetry " + orUnknown(vorden::symmetryName(deck.symmetry), deck.symmetry) +
                    ": the calculation runs without symmetry (C1).");
  }
  if (deck.optimisationLevel > 0) {
    lines.push_back("Geometry optimisation to 10^-" + std::to_string(deck.optimisationLevel) +
                    " hartree/bohr with steepest descent (" + std::to_string(deck.steepestDescentIterations) +
                    " iterations): not computed; the energy is that of the given geometry.");
    if (deck.optimisationLevel >= 4) lines.push_back("Harmonic infrared frequencies: not computed.");
  }
  if (deck.isotope != 0) {
    lines.push_back("Isotope substitution " + orUnknown(vorden::isotopeName(deck.isotope), deck.isotope) +
                    ": not used (it would change only vibrational properties).");
  }
  if (deck.nmrNucleus != 0) {
    lines.push_back("NMR chemical shift for " + orUnknown(vorden::nmrNucleusName(deck.nmrNucleus), deck.nmrNucleus) +
                    ": not computed.");
  }
  if (deck.coulombHole) lines.push_back("Coulomb-hole correction: not computed.");
  using vorden::PostHartreeFock;
  switch (deck.postHartreeFock) {
    case PostHartreeFock::SingleExcitation:
    case PostHartreeFock::BoysReevesCas:
    case PostHartreeFock::BoysReevesCasSmall:
    case PostHartreeFock::SingleExcitationCdMcd:
      lines.push_back(vorden::postHartreeFockName(deck.postHartreeFock) +
                      ": not computed; the Hartree-Fock result is reported.");
      break;
    default:
      break;
  }
  if (deck.naturalOrbitalIterations > 0) {
    lines.push_back("Natural-orbital iterations (" + std::to_string(deck.naturalOrbitalIterations) + "): not computed.");
  }
  return lines;
}

class LobeRun {
 public:
  explicit LobeRun(const RunSettings& settings)
      : settings_(settings), report_(settings.folder / "lobe.out"), started_(Clock::now()) {}

  int run() {
    if (!report_.isOpen()) {
      std::cerr << "vorden: cannot create " << (settings_.folder / "lobe.out").string() << "\n";
      return kFileError;
    }
    int status = kCompleted;
    std::string lastLine;
    try {
      status = calculate();
      lastLine = format("\nThe run completed in %.2f s.\n", seconds(started_));
    } catch (const RunStop& stop) {
      lastLine = "\n*** The run stopped: " + stop.message + "\n";
      json_.success = false;
      json_.errorType = stop.errorType;
      json_.errorMessage = stop.message;
      status = stop.status;
    } catch (const std::bad_alloc&) {
      const std::string message = "there is not enough memory for this calculation";
      lastLine = "\n*** The run stopped: " + message + ".\n";
      json_.success = false;
      json_.errorType = "memory_error";
      json_.errorMessage = message;
      status = kUnsupportedRequest;
    }
    // lobe.json first, so that whoever waits for lobe.out's last line finds it.
    if (!writeWholeFile(settings_.folder / "lobe.json", qcSchemaJson(json_))) {
      report_.write("\n*** lobe.json cannot be written in " + settings_.folder.string() + ".");
      if (status == kCompleted) status = kFileError;
    }
    report_.write(lastLine);
    if (report_.failed()) {
      std::cerr << "vorden: writing lobe.out failed; the report is incomplete\n";
      if (status == kCompleted) status = kFileError;
    }
    return status;
  }

 private:
  int calculate() {
    report_.write(
        "VORDEN lobe engine: Hartree-Fock and MP2 over Gaussian lobe functions\n"
        "======================================================================\n\n");
    const vorden::LobeDeck deck = readDeck();
    writeOptions(deck);

    molecule_ = moleculeFromDeck(deck);
    json_.charge = molecule_.charge;
    json_.multiplicity = molecule_.multiplicity;
    for (const Atom& atom : molecule_.atoms) {
      json_.symbols.push_back(atom.symbol);
      json_.geometryBohr.push_back(atom.bohr);
    }
    const vorden::SpinCheck spin = vorden::checkSpin(deck.spinMultiplicity, molecule_.electrons);
    writeMolecule(deck, spin);
    checkMolecule(spin);

    const bool restricted = molecule_.multiplicity == 1;
    json_.method = restricted ? "RHF" : "UHF";
    const BasisLibrary library = loadBasis(deck.basisSet);
    basis_ = buildBasis(library);
    return computeAndReport(deck, restricted);
  }

  vorden::LobeDeck readDeck() {
    const std::filesystem::path input = settings_.folder / "lobe.dat";
    std::error_code error;
    if (!std::filesystem::is_regular_file(input, error)) {
      throw RunStop{kBadInput, "input_error", "there is no file lobe.dat in " + settings_.folder.string() + "."};
    }
    const std::optional<std::string> bytes = readWholeFile(input);
    if (!bytes) throw RunStop{kBadInput, "input_error", "the file " + input.string() + " cannot be read."};
    const vorden::LobeDatCheck check = vorden::readLobeDat(*bytes);
    if (!check.deck) {
      throw RunStop{kBadInput, "input_error",
                    "lobe.dat is malformed at " + check.problem->where + ": " + check.problem->what};
    }
    return *check.deck;
  }

  void writeOptions(const vorden::LobeDeck& deck) {
    std::string text = "Options (from lobe.dat)\n";
    text += row("Coordinate file", deck.fileName);
    text += row("Basis set", std::to_string(deck.basisSet) + "  " +
                                 orUnknown(vorden::basisSetCaption(deck.basisSet), deck.basisSet));
    text += row("Post-Hartree-Fock", vorden::postHartreeFockName(deck.postHartreeFock));
    text += row("Core orbitals", deck.freezeCoreOrbitals ? "Freeze" : "Include");
    text += row("Print level", vorden::printLevelWords(deck.printLevel));
    text += row("Quadrupole tensor", deck.quadrupoleTensor ? "yes" : "no");
    text += row("Point-group symmetry", orUnknown(vorden::symmetryName(deck.symmetry), deck.symmetry));
    text += row("Geometry optimisation", vorden::optimisationWords(deck.optimisationLevel));
    const std::vector<std::string> skipped = notComputed(deck);
    if (!skipped.empty()) {
      text += "\nAsked for but not computed by this engine (the rest of the run goes on):\n";
      for (const std::string& line : skipped) text += "  - " + line + "\n";
    }
    report_.write(text + "\n");
  }

  void writeMolecule(const vorden::LobeDeck& deck, const vorden::SpinCheck& spin) {
    std::string text = "Molecule (" + std::to_string(molecule_.atoms.size()) + " atoms)\n";
    text += "   No.  Atom   Z     x/angstrom  y/angstrom  z/angstrom      x/bohr      y/bohr      z/bohr\n";
    for (std::size_t i = 0; i < molecule_.atoms.size(); ++i) {
      const Atom& atom = molecule_.atoms[i];
      text += format("  %4zu  %-4s %3d  %11.6f %11.6f %11.6f %11.6f %11.6f %11.6f\n", i + 1, atom.symbol.c_str(),
                     atom.atomicNumber, shown(atom.angstrom[0]), shown(atom.angstrom[1]), shown(atom.angstrom[2]),
                     shown(atom.bohr[0]), shown(atom.bohr[1]), shown(atom.bohr[2]));
    }
    text += row("Molecular formula", vorden::molecularFormula(deck.atoms));
    text += row("Charge", std::to_string(molecule_.charge));
    text += row("Electrons", std::to_string(molecule_.electrons));
    text += row("Spin multiplicity", spin.explanation);
    report_.write(text);
  }

  void checkMolecule(const vorden::SpinCheck& spin) {
    if (!spin.agrees) {
      throw RunStop{kBadInput, "input_error", "the spin multiplicity " + spin.explanation};
    }
    for (std::size_t a = 0; a < molecule_.atoms.size(); ++a) {
      for (std::size_t b = 0; b < a; ++b) {
        const double distance =
            std::sqrt(distanceSquared(molecule_.atoms[a].bohr, molecule_.atoms[b].bohr)) * kBohrInAngstrom;
        if (distance < kClosestAtomsAngstrom) {
          throw RunStop{kBadInput, "input_error",
                        format("atoms %zu (%s) and %zu (%s) are %.4f angstrom apart; atoms closer than %.1f "
                               "angstrom are taken for an error in the coordinate file.",
                               b + 1, molecule_.atoms[b].symbol.c_str(), a + 1, molecule_.atoms[a].symbol.c_str(),
                               distance, kClosestAtomsAngstrom)};
        }
      }
    }
    const double repulsion = nuclearRepulsion(molecule_);
    json_.nuclearRepulsion = repulsion;
    report_.write(row("Nuclear repulsion", format("%.10f hartree", repulsion)) + "\n");
  }

  BasisLibrary loadBasis(int basisSetIndex) {
    const std::optional<BasisSetData> data = basisSetData(basisSetIndex);
    if (!data) {
      throw RunStop{kUnsupportedRequest, "basis_error",
                    "this engine has no data for basis set " + std::to_string(basisSetIndex) + " (" +
                        orUnknown(vorden::basisSetCaption(basisSetIndex), basisSetIndex) +
                        ") yet: it computes with 6-31G** (3), 6-311G** (4) and 6-311++G** (5)."};
    }
    json_.basis = data->name;
    const std::filesystem::path file = settings_.basisFolder / data->fileName;
    const std::optional<std::string> text = settings_.basisFolder.empty() ? std::nullopt : readWholeFile(file);
    if (!text) {
      throw RunStop{kUnsupportedRequest, "basis_error",
                    "the basis-library file " + data->fileName + " of " + data->name + " cannot be read" +
                        (settings_.basisFolder.empty() ? std::string(" (no basis folder found beside the program)")
                                                       : " in " + settings_.basisFolder.string()) + "."};
    }
    try {
      BasisLibrary library = parseGaussian94(*text, file.string());
      basisName_ = data->name;
      basisFile_ = file.string();
      return library;
    } catch (const BasisLibraryError& error) {
      throw RunStop{kUnsupportedRequest, "basis_error", error.what()};
    }
  }

  LobeBasis buildBasis(const BasisLibrary& library) {
    try {
      LobeBasis basis = buildLobeBasis(molecule_, library, basisName_);
      std::string text = "Basis set " + basisName_ + " (" + basisFile_ + ")\n";
      text += "  Cartesian d functions (six components); every primitive written as s-type lobes:\n";
      text += format("  p: two lobes at +-%.3g/sqrt(alpha) along the axis; d: second differences, lobes at "
                     "%.3g/sqrt(alpha)\n", kDefaultDisplacements.p, kDefaultDisplacements.d);
      text += format("  %zu basis functions, %zu lobes\n", basis.functions.size(), basis.lobeCount());
      report_.write(text);
      json_.basisFunctions = static_cast<int>(basis.functions.size());
      for (std::size_t f = 0; f < basis.functions.size(); ++f) {
        json_.functionLabels.push_back(basis.functions[f].label);
        for (const Lobe& lobe : basis.functions[f].lobes) {
          json_.lobes.push_back({static_cast<int>(f + 1), lobe.exponent, lobe.coefficient, lobe.centre});
        }
      }
      return basis;
    } catch (const MissingBasisData& missing) {
      throw RunStop{kUnsupportedRequest, "basis_error", std::string(missing.what()) + "."};
    }
  }

  void writeLobes() {
    std::string text = "\nBasis functions as lobes (centre in bohr)\n";
    text += "  Function        Lobe   Exponent           Coefficient                x           y           z\n";
    for (std::size_t f = 0; f < basis_.functions.size(); ++f) {
      const BasisFunction& function = basis_.functions[f];
      for (std::size_t l = 0; l < function.lobes.size(); ++l) {
        const Lobe& lobe = function.lobes[l];
        text += format("  %4zu %-10s %4zu  %16.8f  %22.12e  %10.6f  %10.6f  %10.6f\n", f + 1,
                       l == 0 ? function.label.c_str() : "", l + 1, lobe.exponent, lobe.coefficient, lobe.centre[0],
                       lobe.centre[1], lobe.centre[2]);
      }
    }
    report_.write(text);
  }

  void writeMatrix(const std::string& title, const Eigen::MatrixXd& matrix, bool functionsByColumns = true) {
    std::string text = "\n" + title + "\n";
    const Eigen::Index columns = matrix.cols();
    for (Eigen::Index first = 0; first < columns; first += 6) {
      const Eigen::Index last = std::min(columns, first + 6);
      text += "                ";
      for (Eigen::Index c = first; c < last; ++c) {
        text += functionsByColumns ? format(" %11s", basis_.functions[std::size_t(c)].label.c_str())
                                   : format(" %11ld", static_cast<long>(c + 1));
      }
      text += "\n";
      for (Eigen::Index r = 0; r < matrix.rows(); ++r) {
        text += format("  %4ld %-9s", static_cast<long>(r + 1), basis_.functions[std::size_t(r)].label.c_str());
        for (Eigen::Index c = first; c < last; ++c) text += format(" %11.6f", shown(matrix(r, c)));
        text += "\n";
      }
    }
    report_.write(text);
  }

  int computeAndReport(const vorden::LobeDeck& deck, bool restricted) {
    if (deck.printLevel >= 2) writeLobes();
    const Eigen::MatrixXd overlap = overlapMatrix(basis_);
    const Eigen::MatrixXd core = kineticMatrix(basis_) + nuclearAttractionMatrix(basis_, molecule_);
    const ScfSettings settings;
    const Orthogonalisation orthogonal = canonicalOrthogonalisation(overlap, settings.linearDependence);
    report_.write(format("  Smallest overlap eigenvalue %.3e; ", orthogonal.smallestEigenvalue) +
                  (orthogonal.dropped == 0
                       ? std::string("no near-linear dependence, no function dropped\n")
                       : format("%d combinations below %.0e dropped (canonical orthogonalisation)\n",
                                orthogonal.dropped, settings.linearDependence)));
    const int kept = static_cast<int>(orthogonal.x.cols());
    if (molecule_.alphaElectrons > kept) {
      throw RunStop{kBadInput, "input_error",
                    format("the molecule has %d electrons of one spin, more than the %d independent functions of "
                           "the basis can hold.", molecule_.alphaElectrons, kept)};
    }
    if (deck.printLevel >= 1) writeMatrix("Overlap matrix S", overlap);

    const Clock::time_point integralStart = Clock::now();
    const TwoElectronIntegrals integrals = computeTwoElectronIntegrals(basis_, settings_.threads);
    report_.write(format("\nTwo-electron integrals: %zu unique, computed in %.2f s on %u threads\n",
                         integrals.values().size(), seconds(integralStart), settings_.threads));
    if (deck.printLevel >= 2) writeIntegrals(integrals);

    report_.write(format("\nSCF (%s): start from the core Hamiltonian, DIIS with up to %d Fock matrices\n",
                         restricted ? "RHF" : "UHF", settings.diisVectors) +
                  format("  converged when the energy changes by less than %.0e hartree and the largest\n"
                         "  element of the orthogonalised FDS - SDF is below %.0e; at most %d iterations\n",
                         settings.energyTolerance, settings.commutatorTolerance, settings.maxIterations) +
                  "  Iter      Total energy (hartree)          Change      DIIS error\n");
    const ScfResult scf = runScf(overlap, core, integrals, orthogonal, molecule_.alphaElectrons,
                                 molecule_.betaElectrons, restricted, *json_.nuclearRepulsion, settings,
                                 [this](const ScfIteration& it) {
                                   report_.write(format("  %4d  %26.12f  %14.3e  %14.3e\n", it.number, it.totalEnergy,
                                                        it.change, it.commutator));
                                 });
    json_.scfIterations = scf.iterations;
    if (!scf.converged) {
      throw RunStop{kNotConverged, "convergence_error",
                    format("the SCF did not converge in %d iterations; the last energy, %.10f hartree, is not a "
                           "result.", scf.iterations, scf.totalEnergy)};
    }
    json_.scfTotalEnergy = scf.totalEnergy;
    json_.returnEnergy = scf.totalEnergy;
    report_.write(format("\nSCF converged in %d iterations.\n\n", scf.iterations) +
                  row(std::string("Total energy (") + (restricted ? "RHF" : "UHF") + ")",
                      format("%.10f hartree", scf.totalEnergy)) +
                  row("Electronic energy", format("%.10f hartree", scf.electronicEnergy)) +
                  row("Nuclear repulsion", format("%.10f hartree", *json_.nuclearRepulsion)));
    if (!restricted) report_.write(row("<S^2>", format("%.6f (exact %.6f)", spinSquared(scf, overlap),
                                                       0.25 * (molecule_.multiplicity * molecule_.multiplicity - 1))));
    writeOrbitals(scf, restricted);
    if (deck.printLevel >= 1) {
      writeMatrix(restricted ? "Fock matrix F" : "Fock matrix F (alpha)", scf.alpha.fock);
      writeMatrix(restricted ? "Orbital coefficients C (orbitals by columns)" : "Alpha orbital coefficients C",
                  scf.alpha.coefficients, false);
      if (!restricted) {
        writeMatrix("Fock matrix F (beta)", scf.beta.fock);
        writeMatrix("Beta orbital coefficients C", scf.beta.coefficients, false);
      }
    }
    if (deck.postHartreeFock == vorden::PostHartreeFock::Mp2Singlet) writeMp2(deck, scf, integrals, restricted);
    writeProperties(deck, overlap, scf);
    json_.success = true;
    return kCompleted;
  }

  void writeIntegrals(const TwoElectronIntegrals& integrals) {
    std::string text = "\nUnique two-electron integrals (mu nu|la si) above 1e-10 in magnitude\n";
    const std::size_t n = integrals.functionCount();
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = 0; j <= i; ++j) {
        for (std::size_t k = 0; k <= i; ++k) {
          for (std::size_t l = 0; l <= (k == i ? j : k); ++l) {
            const double value = integrals(i, j, k, l);
            if (std::abs(value) > 1e-10) text += format("  (%3zu %3zu|%3zu %3zu) = %20.12f\n", i + 1, j + 1, k + 1, l + 1, value);
          }
        }
      }
      report_.write(text);
      text.clear();
    }
  }

  void writeOrbitals(const ScfResult& scf, bool restricted) {
    std::string text = "\nOrbital energies (hartree), lowest first\n";
    if (restricted) {
      text += "   No.          Energy   Occupation\n";
      for (Eigen::Index i = 0; i < scf.alpha.energies.size(); ++i) {
        text += format("  %4ld  %14.6f   %d\n", static_cast<long>(i + 1), scf.alpha.energies(i),
                       i < scf.alpha.occupied ? 2 : 0);
      }
    } else {
      text += "   No.    Alpha energy  Occ     Beta energy  Occ\n";
      for (Eigen::Index i = 0; i < scf.alpha.energies.size(); ++i) {
        text += format("  %4ld  %14.6f  %3d  %14.6f  %3d\n", static_cast<long>(i + 1), scf.alpha.energies(i),
                       i < scf.alpha.occupied ? 1 : 0, scf.beta.energies(i), i < scf.beta.occupied ? 1 : 0);
      }
    }
    report_.write(text);
  }

  void writeMp2(const vorden::LobeDeck& deck, const ScfResult& scf, const TwoElectronIntegrals& integrals,
                bool restricted) {
    if (!restricted) {
      report_.write("\nMP2 is offered for singlets only; the SCF result above is the result of this run.\n");
      return;
    }
    int frozen = 0;
    if (deck.freezeCoreOrbitals) {
      for (const Atom& atom : molecule_.atoms) frozen += atom.atomicNumber >= 3 ? 1 : 0;
    }
    const Clock::time_point start = Clock::now();
    const Mp2Result mp2 =
        closedShellMp2(integrals, scf.alpha.coefficients, scf.alpha.energies, scf.alpha.occupied, frozen);
    json_.method = "MP2";
    json_.mp2CorrelationEnergy = mp2.correlationEnergy;
    json_.mp2TotalEnergy = scf.totalEnergy + mp2.correlationEnergy;
    json_.returnEnergy = json_.mp2TotalEnergy;
    report_.write(format("\nMP2 (closed shell, RHF orbitals): %d core orbitals %s, %d active occupied, %d virtual; "
                         "%.2f s\n", deck.freezeCoreOrbitals ? frozen : 0,
                         deck.freezeCoreOrbitals ? "frozen" : "(none frozen: core included)", mp2.activeOccupied,
                         mp2.virtuals, seconds(start)) +
                  row("MP2 correlation energy", format("%.10f hartree", mp2.correlationEnergy)) +
                  row("MP2 total energy", format("%.10f hartree", *json_.mp2TotalEnergy)));
  }

  void writeProperties(const vorden::LobeDeck& deck, const Eigen::MatrixXd& overlap, const ScfResult& scf) {
    const PopulationAnalysis populations = populationAnalysis(molecule_, basis_, overlap, scf);
    std::string text = "\nMulliken atomic charges (SCF density)\n";
    for (std::size_t a = 0; a < molecule_.atoms.size(); ++a) {
      text += format("  %4zu  %-4s %12.6f\n", a + 1, molecule_.atoms[a].symbol.c_str(), populations.mullikenCharges[a]);
    }
    text += "\nMayer bond orders (pairs above 0.05)\n";
    for (Eigen::Index a = 0; a < populations.mayerBondOrders.rows(); ++a) {
      for (Eigen::Index b = 0; b < a; ++b) {
        if (populations.mayerBondOrders(a, b) > 0.05) {
          text += format("  %4ld %-4s - %4ld %-4s %10.4f\n", static_cast<long>(b + 1),
                         molecule_.atoms[std::size_t(b)].symbol.c_str(), static_cast<long>(a + 1),
                         molecule_.atoms[std::size_t(a)].symbol.c_str(), populations.mayerBondOrders(a, b));
        }
      }
    }
    const Point origin = centreOfMass(molecule_);
    const Eigen::MatrixXd total = scf.alpha.density + scf.beta.density;
    const Point dipole = dipoleMoment(molecule_, total, dipoleMatrices(basis_, origin), origin);
    json_.scfDipoleMoment = dipole;
    const double size = std::sqrt(dipole[0] * dipole[0] + dipole[1] * dipole[1] + dipole[2] * dipole[2]);
    text += format("\nDipole moment (SCF density) about the centre of mass (%.6f, %.6f, %.6f) bohr\n",
                   shown(origin[0]), shown(origin[1]), shown(origin[2]));
    text += format("  e*bohr : x %12.6f  y %12.6f  z %12.6f  total %12.6f\n", shown(dipole[0]), shown(dipole[1]),
                   shown(dipole[2]), size);
    text += format("  debye  : x %12.6f  y %12.6f  z %12.6f  total %12.6f\n", shown(dipole[0] * kDebyePerAtomicUnit),
                   shown(dipole[1] * kDebyePerAtomicUnit), shown(dipole[2] * kDebyePerAtomicUnit),
                   size * kDebyePerAtomicUnit);
    if (deck.quadrupoleTensor) {
      const std::array<double, 6> theta =
          quadrupoleMoment(molecule_, total, secondMomentMatrices(basis_, origin), origin);
      text += "\nTraceless quadrupole moment Theta = 1/2 sum q (3 r r - r^2) about the centre of mass (e*bohr^2)\n";
      text += format("  xx %12.6f  xy %12.6f  xz %12.6f\n  yy %12.6f  yz %12.6f  zz %12.6f\n", shown(theta[0]),
                     shown(theta[1]), shown(theta[2]), shown(theta[3]), shown(theta[4]), shown(theta[5]));
    }
    report_.write(text);
  }

  RunSettings settings_;
  ReportFile report_;
  Clock::time_point started_;
  QcSchemaOutput json_;
  Molecule molecule_;
  LobeBasis basis_;
  std::string basisName_, basisFile_;
};

}  // namespace

int runLobeEngine(const RunSettings& settings) {
  std::error_code ignored;
  std::filesystem::remove(settings.folder / "lobe.json", ignored);
  return LobeRun(settings).run();
}

}  // namespace lobe
