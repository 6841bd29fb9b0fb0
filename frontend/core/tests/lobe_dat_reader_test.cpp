#include "lobe_dat_reader.h"

#include <gtest/gtest.h>

#include "lobe_dat.h"
#include "lobe_dat_test_files.h"

namespace vorden {
namespace {

using testing::kWaterLobeDat;
using testing::replaced;

LobeDeck wellFormed(const std::string& bytes) {
  const LobeDatCheck check = readLobeDat(bytes);
  EXPECT_FALSE(check.problem) << check.problem->where << ": " << check.problem->what;
  return check.deck.value_or(LobeDeck{});
}

// Expects a problem on the line whose description contains where.
void expectProblem(const std::string& bytes, int line, const std::string& where) {
  const LobeDatCheck check = readLobeDat(bytes);
  ASSERT_TRUE(check.problem) << "accepted:\n" << bytes;
  EXPECT_FALSE(check.deck);
  EXPECT_EQ(check.problem->line, line) << check.problem->where << ": " << check.problem->what;
  EXPECT_NE(check.problem->where.find(where), std::string::npos)
      << check.problem->where << ": " << check.problem->what;
  EXPECT_FALSE(check.problem->what.empty());
}

TEST(LobeDatReader, DecodesTheWaterExample) {
  const LobeDeck deck = wellFormed(kWaterLobeDat);
  EXPECT_EQ(deck.fileName, "water.xyz");
  EXPECT_EQ(deck.printLevel, 0);
  EXPECT_EQ(deck.symmetry, 2);
  EXPECT_EQ(deck.nmrNucleus, 0);
  EXPECT_EQ(deck.basisSet, 3);
  EXPECT_EQ(deck.steepestDescentIterations, 30);
  EXPECT_EQ(deck.isotope, 0);
  EXPECT_FALSE(deck.coulombHole);
  EXPECT_EQ(deck.optimisationLevel, 0);
  EXPECT_EQ(deck.spinMultiplicity, 0);
  EXPECT_FALSE(deck.quadrupoleTensor);
  EXPECT_EQ(deck.charge, 0);
  ASSERT_EQ(deck.atoms.size(), 3u);
  EXPECT_EQ(deck.atoms[0].symbol, "O ");
  EXPECT_EQ(deck.atoms[0].atomicNumber, 8);
  EXPECT_EQ(deck.atoms[0].z, " 0.117300");
  EXPECT_EQ(deck.atoms[2].y, "-0.757200");
  EXPECT_EQ(deck.atoms[1].lobeParameters, "-1.00 0.00-2.00 0.00 0.00 0.00");
  EXPECT_EQ(deck.atoms[2].lineNumber, 4);
  EXPECT_EQ(deck.postHartreeFock, PostHartreeFock::None);
  EXPECT_TRUE(deck.freezeCoreOrbitals);
  EXPECT_EQ(deck.naturalOrbitalIterations, 0);
}

TEST(LobeDatReader, NegativeChargeMovesTheFirstAtomRecordRight) {
  const LobeDeck deck = wellFormed(replaced(kWaterLobeDat, "O  8003    ", "O  8-023    "));
  EXPECT_EQ(deck.charge, -2);
  EXPECT_EQ(deck.atoms.at(0).x, " 0.000000");
  EXPECT_EQ(wellFormed(replaced(kWaterLobeDat, "O  8003", "O  8073")).charge, 7);
}

TEST(LobeDatReader, ClosingRecordCodes) {
  LobeDeck deck = wellFormed(replaced(kWaterLobeDat, "  0  0  0  0  0  1 \n", "  0  0  0  2  0  0 -1\n"));
  EXPECT_EQ(deck.postHartreeFock, PostHartreeFock::BoysReevesCasSmall);
  EXPECT_EQ(deck.naturalOrbitalIterations, 2);
  EXPECT_FALSE(deck.freezeCoreOrbitals);
  deck = wellFormed(replaced(kWaterLobeDat, "  0  0  0  0  0  1 \n", "  0  0  0  0  0  0  1\n"));
  EXPECT_EQ(deck.postHartreeFock, PostHartreeFock::BoysReevesCas);
  deck = wellFormed(replaced(kWaterLobeDat, "  0  0  0  0  0  1 \n", "  0  0  0  0  2  0 \n"));
  EXPECT_EQ(deck.postHartreeFock, PostHartreeFock::Mp2Singlet);
  EXPECT_FALSE(deck.freezeCoreOrbitals);
  deck = wellFormed(replaced(kWaterLobeDat, "  0  0  0  0  0  1 \n", "  0  0  0  0  3  1 \n"));
  EXPECT_EQ(deck.postHartreeFock, PostHartreeFock::SingleExcitationCdMcd);
}

TEST(LobeDatReader, HeliumAndSmallBasisSetsEndAtColumnForty) {
  std::string bytes = replaced(kWaterLobeDat, "H  1  3     0.000000  0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00\n",
                               "He 2  3     0.000000  0.757200 -0.469200\n");
  EXPECT_EQ(wellFormed(bytes).atoms.at(1).lobeParameters, "");
  expectProblem(replaced(bytes, "He 2  3     0.000000  0.757200 -0.469200",
                         "He 2  3     0.000000  0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00"),
                3, "columns 41-70");
}

// --- Malformed files: each names its line and columns -----------------------

TEST(LobeDatReaderMalformed, FileStructure) {
  expectProblem("", 1, "line 1");
  expectProblem(kWaterLobeDat.substr(0, kWaterLobeDat.size() - 2), 8, "end of the file");  // no CR LF
  expectProblem(kWaterLobeDat.substr(0, kWaterLobeDat.size() - 3) + "\r\n", 7, "line 7");
  expectProblem(replaced(kWaterLobeDat, "\n", "\r\n"), 1, "column 76");  // CR LF after a record
  expectProblem(replaced(kWaterLobeDat, "  0  0  0  0  0  1 \n\n", "  0  0  0  0  0  1 \n"), 7, "line 7");
  expectProblem(replaced(kWaterLobeDat, "\n\n  0  0", "\n  0  0"), 5, "line 5");  // no empty line before closing
  expectProblem(replaced(kWaterLobeDat, "00\nO  8003", "00\n\nO  8003"), 2, "line 2");  // no atoms
  expectProblem(replaced(kWaterLobeDat, "  1 \n\n\r\n", "  1 \n\nextra\n\r\n"), 8, "line 8");
}

TEST(LobeDatReaderMalformed, OptionsRecordColumns) {
  const std::string options = "   water.xyz                  0  2        00 3       30 0000          0  00";
  const auto withOptions = [](const std::string& record) { return replaced(kWaterLobeDat, std::string(
      "   water.xyz                  0  2        00 3       30 0000          0  00"), record); };
  const auto at = [&options](std::size_t column, const std::string& text) {
    std::string record = options;
    record.replace(column - 1, text.size(), text);
    return record;
  };
  expectProblem(withOptions(options.substr(0, 74)), 1, "column 75 (quadrupole tensor)");
  expectProblem(withOptions(options + " "), 1, "column 76");
  expectProblem(withOptions(at(1, "x")), 1, "columns 1-3");
  expectProblem(withOptions(at(4, std::string(27, ' '))), 1, "columns 4-30 (coordinate file name)");
  expectProblem(withOptions(at(31, "3")), 1, "column 31 (print level)");
  expectProblem(withOptions(at(34, "8")), 1, "column 34 (symmetry)");
  expectProblem(withOptions(at(43, "02")), 1, "columns 43-44 (NMR nucleus)");
  expectProblem(withOptions(at(43, " 1")), 1, "columns 43-44 (NMR nucleus)");
  expectProblem(withOptions(at(46, "7")), 1, "column 46 (basis set)");
  expectProblem(withOptions(at(54, "5 ")), 1, "columns 54-55 (steepest-descent iterations)");
  expectProblem(withOptions(at(57, "03")), 1, "columns 57-58 (isotope)");
  expectProblem(withOptions(at(59, "01")), 1, "columns 59-60 (Coulomb hole)");
  expectProblem(withOptions(at(65, "1")), 1, "columns 61-70");
  expectProblem(withOptions(at(71, "7")), 1, "column 71 (optimisation level n)");
  expectProblem(withOptions(at(74, "7")), 1, "column 74 (spin multiplicity)");
  expectProblem(withOptions(at(75, "2")), 1, "column 75 (quadrupole tensor)");
  // Well-formed values elsewhere in the lists.
  EXPECT_EQ(wellFormed(withOptions(at(43, "15"))).nmrNucleus, 15);
  EXPECT_EQ(wellFormed(withOptions(at(57, "81"))).isotope, 81);
}

TEST(LobeDatReaderMalformed, AtomRecordColumns) {
  const std::string first = "O  8003     0.000000  0.000000  0.117300-1.00 0.00-2.00 0.00 0.00 2.49";
  const auto withFirst = [&first](std::size_t column, const std::string& text) {
    std::string record = first;
    record.replace(column - 1, text.size(), text);
    return replaced(kWaterLobeDat, first, record);
  };
  expectProblem(withFirst(1, "Na"), 2, "line 2 (atom record 1), columns 1-2 (element symbol)");
  expectProblem(withFirst(1, "o "), 2, "columns 1-2 (element symbol)");
  expectProblem(withFirst(3, " 7"), 2, "columns 3-4 (atomic number)");
  expectProblem(withFirst(5, "08"), 2, "columns 5-6 (charge)");
  expectProblem(withFirst(5, " 3"), 2, "columns 5-6 (charge)");
  expectProblem(replaced(kWaterLobeDat, "O  8003", "O  8-033"), 2, "columns 5-7 (charge)");
  expectProblem(replaced(kWaterLobeDat, "O  8003", "O  8-003"), 2, "columns 5-7 (charge)");
  expectProblem(withFirst(7, "2"), 2, "column 7 (basis set)");
  expectProblem(withFirst(9, "1"), 2, "columns 8-11");
  expectProblem(withFirst(12, "0.0000000"), 2, "columns 12-20 (x coordinate)");
  expectProblem(withFirst(22, "  0.00000"), 2, "columns 22-30 (y coordinate)");
  expectProblem(withFirst(32, " 0.1173 0"), 2, "columns 32-40 (z coordinate)");
  expectProblem(withFirst(32, " 0117300 "), 2, "columns 32-40 (z coordinate)");
  expectProblem(withFirst(21, "x"), 2, "column 21");
  expectProblem(withFirst(41, "-1.0 "), 2, "columns 41-45 (lobe parameters)");
  expectProblem(replaced(kWaterLobeDat, " 2.49\n", "\n"), 2, "columns 66-70 (lobe parameters)");
  expectProblem(replaced(kWaterLobeDat, "2.49\n", "2.49 \n"), 2, "column 71");
  // After a negative charge the columns named are the ones in the file.
  expectProblem(replaced(kWaterLobeDat, "O  8003     0.000000", "O  8-013     0.00000x"), 2,
                "columns 13-21 (x coordinate)");
}

TEST(LobeDatReaderMalformed, LaterAtomRecordsCarryNoCharge) {
  expectProblem(replaced(kWaterLobeDat, "H  1  3     0.000000  0.757200", "H  1003     0.000000  0.757200"), 3,
                "line 3 (atom record 2), columns 5-6");
}

TEST(LobeDatReaderMalformed, ClosingRecordColumns) {
  const auto withClosing = [](const std::string& record) {
    return replaced(kWaterLobeDat, "  0  0  0  0  0  1 \n", record + "\n");
  };
  expectProblem(withClosing("  0  0  0  0  0  1"), 6, "line 6 (closing record), column 19");
  expectProblem(withClosing("  1  0  0  0  0  1 "), 6, "columns 1-3");
  expectProblem(withClosing("  0  0  0  x  0  1 "), 6, "column 12 (natural-orbital iterations)");
  expectProblem(withClosing("  0  0  0  0  4  1 "), 6, "columns 14-15 (post-Hartree-Fock code)");
  expectProblem(withClosing("  0  0  0  0  0  2 "), 6, "column 18 (core-orbital code)");
  expectProblem(withClosing("  0  0  0  0  0  0  2"), 6, "columns 20-21 (CAS code)");
  expectProblem(withClosing("  0  0  0  0  2  0  1"), 6, "columns 14-15 (post-Hartree-Fock code)");
  expectProblem(withClosing("  0  0  0  0  0  1  1"), 6, "column 18 (core-orbital code)");
  expectProblem(withClosing("  0  0  0  0  0  0 -1 "), 6, "column 22");
}

// --- Whatever the writer makes, the reader accepts and decodes the same ---

TEST(LobeDatReader, AcceptsAndDecodesWhatTheWriterMakes) {
  struct Case {
    int basisSet;
    std::string charge;
    int configurationInteraction;
    int small;
    int orbitals;
    PostHartreeFock expected;
  };
  const std::string atoms = "C 0.0 0.0 0.0\nH 0.63 0.63 0.63\nH -0.63 -0.63 0.63\nHe 1 2 3\nH 0.63 -0.63 -0.63\n";
  for (const Case& c : {Case{0, "0", 0, 0, 1, PostHartreeFock::None},
                        Case{1, "-2", 1, 0, 0, PostHartreeFock::Mp2Singlet},
                        Case{2, "-1", 2, 0, 1, PostHartreeFock::SingleExcitation},
                        Case{3, "7", 3, 0, 1, PostHartreeFock::BoysReevesCas},
                        Case{4, "3", 3, 1, 1, PostHartreeFock::BoysReevesCasSmall},
                        Case{5, "1", 4, 0, 0, PostHartreeFock::SingleExcitationCdMcd},
                        Case{6, "0", 0, 0, 0, PostHartreeFock::None}}) {
    SCOPED_TRACE("basis set " + std::to_string(c.basisSet));
    LobeOptions options;
    options.coordinatePath = "/home/student/methane and helium.xyz";
    options.basisSet = c.basisSet;
    options.charge = c.charge;
    options.configurationInteraction = c.configurationInteraction;
    options.small = c.small;
    options.orbitals = c.orbitals;
    options.itch = 1;
    options.integrals = 1;
    options.symmetry = 4;
    options.nmr = c.basisSet >= 2 ? 6 : 0;
    options.isotope = 13;
    options.n = "5";
    options.spin = "2";
    options.itsd = "7";
    options.naturalOrbital = c.configurationInteraction == 3 ? "4" : "0";
    options.quadrupoleTensor = 1;
    options.coulombHole = c.configurationInteraction == 0 ? 1 : 0;
    const LobeDatText text = buildLobeDat(options, atoms);
    ASSERT_TRUE(text.ok) << text.failure.message;

    const LobeDeck deck = wellFormed(text.text);
    EXPECT_EQ(deck.fileName, "methane and helium.xyz");
    EXPECT_EQ(deck.basisSet, c.basisSet);
    EXPECT_EQ(deck.charge, std::stoi(c.charge));
    EXPECT_EQ(deck.postHartreeFock, c.expected);
    EXPECT_EQ(deck.freezeCoreOrbitals, c.configurationInteraction != 3 && c.orbitals == 1);
    EXPECT_EQ(deck.printLevel, 2);
    EXPECT_EQ(deck.symmetry, 4);
    EXPECT_EQ(deck.nmrNucleus, options.nmr);
    EXPECT_EQ(deck.isotope, 13);
    EXPECT_EQ(deck.optimisationLevel, 5);
    EXPECT_EQ(deck.spinMultiplicity, 2);
    EXPECT_EQ(deck.steepestDescentIterations, 7);
    EXPECT_EQ(deck.naturalOrbitalIterations, c.configurationInteraction == 3 ? 4 : 0);
    EXPECT_TRUE(deck.quadrupoleTensor);
    EXPECT_EQ(deck.coulombHole, c.configurationInteraction == 0);
    ASSERT_EQ(deck.atoms.size(), 5u);
    EXPECT_EQ(deck.atoms[3].symbol, "He");
    EXPECT_EQ(deck.atoms[4].z, "-0.630000");
  }
}

}  // namespace
}  // namespace vorden
