#include "layout_steps.h"

#include "layout.h"

namespace scf1s {

namespace {

constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);

// Appends the steps of items to steps (their texts to texts); sets
// reversionStep to the step of items[reversionItem].
void addSteps(const std::vector<Layout::Item>& items, std::size_t reversionItem, std::vector<LayoutStep>& steps,
              std::string& texts, std::size_t& reversionStep) {
  using Kind = Layout::Item::Kind;
  std::size_t skip = 0;  // columns of nX items not yet given to a step
  auto addSkipStep = [&] {
    if (skip == 0) return;
    LayoutStep s;
    s.kind = LayoutStep::Kind::Skip;
    s.skip = skip;
    steps.push_back(s);
    skip = 0;
  };
  for (std::size_t k = 0; k < items.size(); ++k) {
    const Layout::Item& it = items[k];
    if (it.kind == Kind::Skip) {
      skip += static_cast<std::size_t>(it.width);
      continue;
    }
    LayoutStep s;
    s.repeat = it.repeat;
    s.width = it.width;
    s.decimals = it.decimals;
    switch (it.kind) {
      case Kind::Text:
        s.kind = LayoutStep::Kind::Text;
        s.first = texts.size();
        s.size = it.text.size();
        texts += it.text;
        break;
      case Kind::Integer:
        s.kind = LayoutStep::Kind::Integer;
        s.integerFields = integerFieldsFor(it.width);
        break;
      case Kind::Real:
        s.kind = LayoutStep::Kind::Real;
        s.realFields = realFieldsFor(it.width, it.decimals);
        break;
      case Kind::Chars:
        s.kind = LayoutStep::Kind::Chars;
        break;
      case Kind::NewLine:
        s.kind = LayoutStep::Kind::NewLine;
        break;
      case Kind::Group:
        s.kind = LayoutStep::Kind::Group;
        break;
      case Kind::Skip:
        break;
    }
    // Columns before a line end or a group are not the next step's own.
    if (it.kind == Kind::NewLine || it.kind == Kind::Group) addSkipStep();
    s.skip = skip;
    skip = 0;
    if (k == reversionItem) reversionStep = steps.size();
    const std::size_t at = steps.size();
    steps.push_back(s);
    if (it.kind == Kind::Group) {
      std::size_t unused = 0;
      addSteps(it.items, kNoItem, steps, texts, unused);
      steps[at].size = steps.size() - at - 1;
    }
  }
  addSkipStep();
}

}  // namespace

LayoutSteps::LayoutSteps(const Layout& layout) {
  addSteps(layout.items(), layout.reversionPoint(), steps_, texts_, reversionStep_);
}

}  // namespace scf1s
