#include "report.h"

#include <cerrno>
#include <stdexcept>

#include "field_format.h"

namespace scf1s {

namespace {
constexpr std::size_t kFlushSize = 1 << 16;
}

// Where a write stands: the values left and the line being built. The line is
// built at the end of the report buffer; column counts the nX moves, which
// become blanks only when characters follow them on the same line.
struct Report::Cursor {
  std::span<const Value> values;
  std::size_t next = 0;
  std::size_t lineStart = 0;
  std::size_t column = 0;

  bool valuesLeft() const { return next < values.size(); }
};

void Report::endLine(Cursor& c) {
  buffer_ += '\n';
  c.lineStart = buffer_.size();
  c.column = 0;
}

namespace {

// "I3", "F10.6", "A2": how a value item is written, for error messages.
std::string describe(const Layout::Item& it) {
  using Kind = Layout::Item::Kind;
  const char letter = it.kind == Kind::Integer ? 'I' : it.kind == Kind::Real ? 'F' : 'A';
  std::string s = letter + std::to_string(it.width);
  if (it.kind == Kind::Real) s += "." + std::to_string(it.decimals);
  return s;
}

const char* kindOf(const Value& v) {
  return std::holds_alternative<int>(v) ? "an integer" : std::holds_alternative<double>(v) ? "a real" : "a text";
}

[[noreturn]] void wrongType(const Layout::Item& it, const Value& v, std::size_t position, const char* wanted) {
  throw std::logic_error("report: value " + std::to_string(position + 1) + " is " + kindOf(v) + ", but " +
                         describe(it) + " takes " + wanted);
}

}  // namespace

// Runs items[from..]; returns false when the write has stopped for want of a value.
bool Report::run(const std::vector<Layout::Item>& items, std::size_t from, Cursor& c) {
  using Kind = Layout::Item::Kind;
  auto padToColumn = [&] {
    std::size_t have = buffer_.size() - c.lineStart;
    if (c.column > have) buffer_.append(c.column - have, ' ');
  };
  for (std::size_t k = from; k < items.size(); ++k) {
    const Layout::Item& it = items[k];
    switch (it.kind) {
      case Kind::Text:
        padToColumn();
        buffer_ += it.text;
        c.column = buffer_.size() - c.lineStart;
        break;
      case Kind::Skip:
        c.column += static_cast<std::size_t>(it.width);
        break;
      case Kind::NewLine:
        endLine(c);
        break;
      case Kind::Group:
        for (int r = 0; r < it.repeat; ++r)
          if (!run(it.items, 0, c)) return false;
        break;
      case Kind::Integer:
      case Kind::Real:
      case Kind::Chars:
        for (int r = 0; r < it.repeat; ++r) {
          if (!c.valuesLeft()) return false;
          const std::size_t position = c.next++;
          const Value& v = c.values[position];
          padToColumn();
          if (it.kind == Kind::Real) {
            const double* x = std::get_if<double>(&v);
            if (!x) wrongType(it, v, position, "a real");
            appendReal(buffer_, *x, it.width, it.decimals);
          } else if (it.kind == Kind::Integer) {
            const int* i = std::get_if<int>(&v);
            if (!i) wrongType(it, v, position, "an integer");
            appendInteger(buffer_, *i, it.width);
          } else {
            const std::string_view* s = std::get_if<std::string_view>(&v);
            if (!s) wrongType(it, v, position, "a text");
            appendChars(buffer_, *s, it.width);
          }
          c.column = buffer_.size() - c.lineStart;
        }
        break;
    }
  }
  return true;
}

void Report::write(const Layout& layout, std::span<const Value> values) {
  if (!values.empty() && !layout.takesValues())
    throw std::logic_error("report: " + std::to_string(values.size()) +
                           " value(s) given to a layout that takes none: " + layout.notation());
  // Values beyond one pass are taken only by the repeated part of the layout.
  if (values.size() > layout.valuesPerPass() && !layout.reversionTakesValues())
    throw std::logic_error("report: " + std::to_string(values.size()) + " values, but the layout takes " +
                           std::to_string(layout.valuesPerPass()) +
                           " and its repeated part takes none: " + layout.notation());
  const std::size_t start = buffer_.size();
  try {
    Cursor c{values, 0, start, 0};
    bool going = run(layout.items(), 0, c);
    while (going && c.valuesLeft()) {
      endLine(c);
      going = run(layout.items(), layout.reversionPoint(), c);
    }
    endLine(c);
  } catch (...) {
    buffer_.resize(start);  // a failed write leaves no partial line behind
    throw;
  }
  if (sink_ && buffer_.size() >= kFlushSize) flush();
}

bool Report::flush() {
  if (!sink_) return !sinkFailed_;
  // The first failure's reason is kept: later ones usually only repeat it.
  auto failed = [this] {
    if (!sinkFailed_) sinkError_ = errno;
    sinkFailed_ = true;
  };
  if (!buffer_.empty()) {
    errno = 0;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), sink_) != buffer_.size()) failed();
    buffer_.clear();
  }
  errno = 0;
  if (std::fflush(sink_) != 0) failed();
  return !sinkFailed_;
}

}  // namespace scf1s
