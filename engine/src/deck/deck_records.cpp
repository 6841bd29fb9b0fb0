#include "deck_records.h"

namespace scf1s {

std::optional<std::string_view> DeckRecords::next() {
  if (pos_ >= bytes_.size()) return std::nullopt;
  std::size_t end = bytes_.find('\n', pos_);
  std::size_t after = end == std::string_view::npos ? bytes_.size() : end + 1;
  if (end == std::string_view::npos) end = bytes_.size();
  std::size_t recordEnd = end;
  if (end < bytes_.size() && recordEnd > pos_ && bytes_[recordEnd - 1] == '\r') --recordEnd;
  std::string_view record = bytes_.substr(pos_, recordEnd - pos_);
  pos_ = after;
  ++line_;
  return record;
}

}  // namespace scf1s
