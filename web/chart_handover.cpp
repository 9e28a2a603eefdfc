#include "web/chart_handover.h"

#include <span>

namespace tarvel::web {

std::vector<std::string> EntryNameLists() {
  std::vector<std::string> lists;
  const auto add = [&lists](std::string_view list, std::span<const std::string_view> names) {
    std::string& text = lists.emplace_back(list);
    for (std::string_view name : names)
      text.append(" ").append(name);
  };
  add("drawNumbers", kDrawNumbers);
  add("drawTexts", kDrawTexts);
  add("lineNumbers", kLineNumbers);
  add("placeNumbers", kPlaceNumbers);
  add("pickTexts", kPickTexts);
  add("designPointNumbers", kDesignPointNumbers);
  add("protractorNumbers", kProtractorNumbers);
  const auto add_values = [&lists](std::string_view list, std::span<const NamedValue> values) {
    std::string& text = lists.emplace_back(list);
    for (const NamedValue& value : values) {
      // The values are the enumerations' own, 0 to 9.
      text.append(" ")
          .append(value.name)
          .append("=")
          .push_back(static_cast<char>('0' + value.value));
    }
  };
  add_values("kinds", kCurveKindNames);
  add_values("layouts", kLayoutNames);
  return lists;
}

}  // namespace tarvel::web
