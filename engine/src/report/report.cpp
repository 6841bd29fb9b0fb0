#include "report.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "field_format.h"

namespace scf1s {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;
// How much room the buffer gains beyond what a field needs when it grows,
// so that growing is rare.
constexpr std::size_t kRoomStep = 1 << 14;

// The blanks of skipped columns before the characters that follow them;
// the room holds at least n + kFieldReach bytes.
char* putBlanks(char* at, std::size_t n) {
  if (n <= kFieldReach)
    std::memcpy(at, "                                ", kFieldReach);
  else
    std::memset(at, ' ', n);
  return at + n;
}

// "I3", "F10.6", "A2": how a value item is written, for error messages.
std::string describe(const LayoutStep& s) {
  using Kind = LayoutStep::Kind;
  const char letter = s.kind == Kind::Integer ? 'I' : s.kind == Kind::Real ? 'F' : 'A';
  std::string text = letter + std::to_string(s.width);
  if (s.kind == Kind::Real) text += "." + std::to_string(s.decimals);
  return text;
}

const char* kindOf(const Value& v) {
  return std::holds_alternative<int>(v) ? "an integer" : std::holds_alternative<double>(v) ? "a real" : "a text";
}

[[noreturn]] void wrongType(const LayoutStep& s, const Value& v, std::size_t position, const char* wanted) {
  throw std::logic_error("report: value " + std::to_string(position + 1) + " is " + kindOf(v) + ", but " +
                         describe(s) + " takes " + wanted);
}

// Forms the lines of one write in the room after the report's text: the
// values left, the place of the next character and the end of the room.
// Columns moved over by nX become blanks only when characters follow them
// on the same line, so they are counted in skipped_ until then.
class LineBuilder {
 public:
  LineBuilder(std::string& buffer, std::size_t start, std::span<const Value> values)
      : buffer_(buffer), values_(values), at_(buffer.data() + start) {}

  // Runs steps [from, to); returns false when the write has stopped for want of a value.
  bool run(const LayoutSteps& layout, std::size_t from, std::size_t to);
  void endLine() {
    makeRoom(1);
    *at_++ = '\n';
    skipped_ = 0;
  }
  bool valuesLeft() const { return next_ < values_.size(); }
  // Where the text formed so far ends in the buffer.
  std::size_t end() const { return static_cast<std::size_t>(at_ - buffer_.data()); }

 private:
  template <class Put>
  bool putValues(const LayoutStep& s, const char* wanted, Put put);
  void makeRoom(std::size_t bytes) {
    if (static_cast<std::size_t>(buffer_.data() + buffer_.size() - at_) < bytes) grow(bytes);
  }
  void grow(std::size_t bytes);

  std::string& buffer_;
  std::span<const Value> values_;
  std::size_t next_ = 0;
  char* at_;
  std::size_t skipped_ = 0;
};

void LineBuilder::grow(std::size_t bytes) {
  const std::size_t offset = end();
  buffer_.resize(offset + bytes + kRoomStep);
  at_ = buffer_.data() + offset;
}

// The values of one repeated value item, put by put(at, first, last, step)
// in room made once for all of them.
template <class Put>
bool LineBuilder::putValues(const LayoutStep& s, const char* wanted, Put put) {
  const std::size_t count = std::min(static_cast<std::size_t>(s.repeat), values_.size() - next_);
  // The blanks of skipped columns only when a field follows them.
  if (count == 0) return false;
  makeRoom(skipped_ + s.skip + count * static_cast<std::size_t>(s.width) + kFieldReach);
  char* at = putBlanks(at_, skipped_ + s.skip);
  skipped_ = 0;
  const Value* const first = values_.data() + next_;
  const Value* const stop = put(at, first, first + count, s);
  if (stop != first + count) wrongType(s, *stop, next_ + static_cast<std::size_t>(stop - first), wanted);
  at_ = at;
  next_ += count;
  return count == static_cast<std::size_t>(s.repeat);
}

bool LineBuilder::run(const LayoutSteps& layout, std::size_t from, std::size_t to) {
  using Kind = LayoutStep::Kind;
  const LayoutStep* const steps = layout.steps().data();
  for (std::size_t k = from; k < to; ++k) {
    const LayoutStep& s = steps[k];
    switch (s.kind) {
      case Kind::Text: {
        const std::string_view text = layout.textOf(s);
        skipped_ += s.skip;
        makeRoom(skipped_ + text.size() + kFieldReach);
        at_ = std::copy(text.begin(), text.end(), putBlanks(at_, skipped_));
        skipped_ = 0;
        break;
      }
      case Kind::Skip:
        skipped_ += s.skip;
        break;
      case Kind::NewLine:
        endLine();
        break;
      case Kind::Group:
        for (int r = 0; r < s.repeat; ++r)
          if (!run(layout, k + 1, k + 1 + s.size)) return false;
        k += s.size;
        break;
      case Kind::Integer:
        if (!putValues(s, "an integer", [](char*& at, const Value* first, const Value* last, const LayoutStep& f) {
              return f.integerFields(at, first, last, f.width);
            }))
          return false;
        break;
      case Kind::Real:
        if (!putValues(s, "a real", [](char*& at, const Value* first, const Value* last, const LayoutStep& f) {
              return f.realFields(at, first, last, f.width, f.decimals);
            }))
          return false;
        break;
      case Kind::Chars:
        if (!putValues(s, "a text", [](char*& at, const Value* first, const Value* last, const LayoutStep& f) {
              for (; first != last; ++first) {
                const std::string_view* text = std::get_if<std::string_view>(first);
                if (text == nullptr) break;
                at = putChars(at, *text, f.width);
              }
              return first;
            }))
          return false;
        break;
    }
  }
  return true;
}

}  // namespace

// With a sink the buffer never holds much more than kFlushSize before it
// is handed on, so it is made that large once instead of growing (and
// being copied) step by step.
Report::Report(std::FILE* sink) : sink_(sink) {
  if (sink_) buffer_.reserve(kFlushSize + 2 * kRoomStep);
}

// The lines are formed in the room after the text and become text only when
// the write has finished: a failed write leaves nothing behind.
void Report::write(const Layout& layout, std::span<const Value> values) {
  if (!values.empty() && !layout.takesValues())
    throw std::logic_error("report: " + std::to_string(values.size()) +
                           " value(s) given to a layout that takes none: " + layout.notation());
  // Values beyond one pass are taken only by the repeated part of the layout.
  if (values.size() > layout.valuesPerPass() && !layout.reversionTakesValues())
    throw std::logic_error("report: " + std::to_string(values.size()) + " values, but the layout takes " +
                           std::to_string(layout.valuesPerPass()) +
                           " and its repeated part takes none: " + layout.notation());
  const LayoutSteps& steps = layout.steps();
  const std::size_t stepCount = steps.steps().size();
  LineBuilder line(buffer_, used_, values);
  bool going = line.run(steps, 0, stepCount);
  while (going && line.valuesLeft()) {
    line.endLine();
    going = line.run(steps, steps.reversionStep(), stepCount);
  }
  line.endLine();
  used_ = line.end();
  if (sink_ && used_ >= kFlushSize) flush();
}

const std::string& Report::text() const {
  buffer_.resize(used_);
  return buffer_;
}

bool Report::flush() {
  if (!sink_) return !sinkFailed_;
  // The first failure's reason is kept: later ones usually only repeat it.
  auto failed = [this] {
    if (!sinkFailed_) sinkError_ = errno;
    sinkFailed_ = true;
  };
  if (used_ != 0) {
    errno = 0;
    if (std::fwrite(buffer_.data(), 1, used_, sink_) != used_) failed();
    used_ = 0;
  }
  errno = 0;
  if (std::fflush(sink_) != 0) failed();
  return !sinkFailed_;
}

}  // namespace scf1s
