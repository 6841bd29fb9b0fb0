#include "layout.h"

#include <cctype>
#include <limits>
#include <stdexcept>

namespace scf1s {
namespace {

using Item = Layout::Item;
using Kind = Item::Kind;

// Widths and counts above this are surely typing errors.
constexpr int kLargestNumber = 100000;

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  // A comma-separated list of items, up to the end (top level) or up to the
  // closing parenthesis of a group, which is left unread.
  std::vector<Item> list(bool nested) {
    std::vector<Item> items;
    skipBlanks();
    if (atEnd() && !nested) return items;  // an empty layout writes one empty line
    for (;;) {
      items.push_back(item());
      skipBlanks();
      if (atEnd()) {
        if (nested) fail("missing ')'", pos_);
        return items;
      }
      if (peek() == ')') {
        if (!nested) fail("')' without '('", pos_);
        return items;
      }
      if (peek() == ',') {
        ++pos_;
        continue;
      }
      // A slash needs no comma on either side.
      if (peek() == '/' || items.back().kind == Kind::NewLine) continue;
      fail("expected ',' between items", pos_);
    }
  }

 private:
  Item item() {
    skipBlanks();
    const std::size_t start = pos_;
    Item it;
    if (atEnd() || peek() == ',' || peek() == ')') fail("item expected", pos_);
    if (peek() == '"') {
      it.kind = Kind::Text;
      it.text = quoted();
      return it;
    }
    if (peek() == '/') {
      ++pos_;
      it.kind = Kind::NewLine;
      return it;
    }
    const bool counted = std::isdigit(static_cast<unsigned char>(peek())) != 0;
    const int count = counted ? number() : 1;
    if (counted && count == 0) fail("a count of 0", start);
    if (atEnd()) fail("descriptor expected after the count", pos_);
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s_[pos_++])));
    switch (c) {
      case 'X':
        it.kind = Kind::Skip;
        it.width = count;
        return it;
      case '(':
        it.kind = Kind::Group;
        it.repeat = count;
        skipBlanks();
        if (!atEnd() && peek() == ')') fail("empty group", start);
        it.items = list(true);
        ++pos_;  // the ')' that list() stopped at
        return it;
      case 'I':
        it.kind = Kind::Integer;
        break;
      case 'F':
        it.kind = Kind::Real;
        break;
      case 'A':
        it.kind = Kind::Chars;
        break;
      default:
        fail("unknown descriptor", start);
    }
    it.repeat = count;
    it.width = number();
    if (it.kind == Kind::Real) {
      if (atEnd() || peek() != '.') fail("Fw.d needs '.d'", pos_);
      ++pos_;
      it.decimals = number();
    }
    if (it.width == 0) fail("field width 0", start);
    return it;
  }

  std::string quoted() {
    const std::size_t start = pos_;
    std::string out;
    ++pos_;
    for (;;) {
      if (atEnd()) fail("text without closing '\"'", start);
      const char c = s_[pos_++];
      if (c == '\n' || c == '\r') fail("line end inside a text (use / between items)", pos_ - 1);
      if (c == '"') {
        if (!atEnd() && peek() == '"') {
          out += '"';
          ++pos_;
          continue;
        }
        return out;
      }
      out += c;
    }
  }

  int number() {
    if (atEnd() || !std::isdigit(static_cast<unsigned char>(peek()))) fail("number expected", pos_);
    const std::size_t start = pos_;
    int n = 0;
    while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek()))) {
      n = n * 10 + (s_[pos_++] - '0');
      if (n > kLargestNumber) fail("number too large", start);
    }
    return n;
  }

  void skipBlanks() {
    while (!atEnd() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r')) ++pos_;
  }
  bool atEnd() const { return pos_ >= s_.size(); }
  char peek() const { return s_[pos_]; }
  [[noreturn]] void fail(const char* what, std::size_t at) const {
    throw std::invalid_argument("layout: " + std::string(what) + " at column " + std::to_string(at + 1) +
                                " of: " + std::string(s_));
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

std::size_t saturatingProduct(std::size_t a, std::size_t b) {
  if (a != 0 && b > std::numeric_limits<std::size_t>::max() / a) return std::numeric_limits<std::size_t>::max();
  return a * b;
}

std::size_t saturatingSum(std::size_t a, std::size_t b) {
  return b > std::numeric_limits<std::size_t>::max() - a ? std::numeric_limits<std::size_t>::max() : a + b;
}

// The number of values the items take when processed once, groups repeated.
std::size_t valuesTaken(const std::vector<Item>& items, std::size_t from = 0) {
  std::size_t n = 0;
  for (std::size_t k = from; k < items.size(); ++k) {
    const Item& it = items[k];
    const auto repeat = static_cast<std::size_t>(it.repeat);
    if (it.kind == Kind::Integer || it.kind == Kind::Real || it.kind == Kind::Chars)
      n = saturatingSum(n, repeat);
    else if (it.kind == Kind::Group)
      n = saturatingSum(n, saturatingProduct(repeat, valuesTaken(it.items)));
  }
  return n;
}

}  // namespace

Layout::Layout(std::string_view notation) : notation_(notation) {
  items_ = Parser(notation).list(false);
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].kind == Item::Kind::Group) reversion_ = i;
  valuesPerPass_ = valuesTaken(items_);
  reversionTakesValues_ = valuesTaken(items_, reversion_) > 0;
  steps_ = LayoutSteps(*this);
}

}  // namespace scf1s
