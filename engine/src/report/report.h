#pragma once

#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "layout.h"
#include "value.h"

namespace scf1s {

// The report: lines produced by writing record layouts with values.
//
// The rules of a write:
//  1. a write starts on a new line;
//  2. items are processed left to right, each value item taking the next value;
//  3. the write stops at the first value item for which no value is left (what
//     comes before it is still produced), or at the end of the layout;
//  4. when the write stops, the current line is ended, even if it is empty;
//  5. at the end of the layout with values left, the line is ended and the
//     layout goes on from its last top-level group (from its start if none).
// Lines end with a line feed. With a sink, the text is written to it in large
// pieces; without one, it is kept and can be read with text().
//
// A value of the wrong kind for its item, values given to a layout that takes
// none, or more values than the layout could ever take (its repeated part
// takes none) are faults of the caller: write throws std::logic_error and
// leaves the report as it was before the write.
class Report {
 public:
  explicit Report(std::FILE* sink = nullptr);
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;
  ~Report() { flush(); }

  void write(const Layout& layout, std::initializer_list<Value> values = {}) {
    write(layout, std::span<const Value>(values.begin(), values.size()));
  }
  void write(const Layout& layout, std::span<const Value> values);

  // The text not yet handed to the sink (all of it when there is no sink);
  // the reference shows it until the next write or flush.
  const std::string& text() const;
  // Hands the buffered text to the sink; returns false if the sink failed.
  bool flush();
  // The errno of the sink's first failure (0 if it has not failed).
  int sinkError() const { return sinkError_; }

 private:
  std::FILE* sink_;
  // The text, then room where the next write forms its lines in place: only
  // the first used_ characters are text, and text() trims the rest away.
  mutable std::string buffer_;
  std::size_t used_ = 0;
  bool sinkFailed_ = false;
  int sinkError_ = 0;
};

}  // namespace scf1s
