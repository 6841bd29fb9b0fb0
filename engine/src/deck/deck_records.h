#pragma once

#include <optional>
#include <string_view>

namespace scf1s {

// Splits a deck's bytes into records. A record is the bytes up to a line
// feed; a carriage return directly before the line feed belongs to the line
// end, so decks written on Windows read like decks with LF line ends. A last
// line without a line feed is still a record, and an empty line is a record.
class DeckRecords {
 public:
  explicit DeckRecords(std::string_view bytes) : bytes_(bytes) {}

  // The next record, or nothing at the end of the deck.
  std::optional<std::string_view> next();
  // The 1-based line number of the record last returned.
  int lineNumber() const { return line_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 0;
};

}  // namespace scf1s
