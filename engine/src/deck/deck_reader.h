#pragma once

#include <string>
#include <string_view>

#include "deck_records.h"
#include "engine_data.h"

namespace scf1s {

// Reads the fixed-column records of the deck scf1s.dat. Every failure throws
// DeckError with a message that names the file, the line and the columns.
// The reader keeps a view of the bytes: they must outlive it.
class DeckReader {
 public:
  DeckReader(std::string_view bytes, std::string fileName);

  // Record 1 (30A2, 6I3, I2): title and the run parameters. Returns false
  // when the deck has no first record.
  bool readFirstRecord(std::string& title, DeckParameters& deck);
  // The two records of the parabolic-minimum mode (3F20.12 each).
  void readParabolaPoints(double x[3], double y[3]);
  // An atom record (4F10.6): zn, x, y, z.
  Atom readAtom(int a);
  // A sphere record (F20.14, 3F10.6): alpha, x, y, z. An exponent that is not
  // positive is refused.
  Sphere readSphere(int s);

  // Refuses counts beyond the engine's capacities (SCF run only).
  void checkCapacities(const DeckParameters& deck) const;
  // Refuses two atoms at one position in the multi-centre kind (their nuclear
  // repulsion would divide by zero).
  void checkAtomPositions(const EngineData& data) const;

  const std::string& fileName() const { return fileName_; }

 private:
  struct Field {
    int first;  // first column, from 1
    int width;
    const char* name;
  };
  std::string_view record(int lastColumn, const char* what);
  int integerField(std::string_view rec, const Field& f);
  double realField(std::string_view rec, const Field& f, int decimals);
  [[noreturn]] void fail(const std::string& what) const;
  [[noreturn]] void failAt(int line, const std::string& what) const;

  DeckRecords records_;
  std::string fileName_;
  int firstRecordLine_ = 0;
  int atomLines_[kMaxAtoms] = {};
};

}  // namespace scf1s
