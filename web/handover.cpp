#include "web/handover.h"

#include <span>

#include "panel/field_names.h"
#include "process/air_parameter.h"
#include "process/process_names.h"

namespace tarvel::web {
namespace {

void AddList(std::vector<std::string>& lists, std::string_view list,
             std::span<const std::string_view> names) {
  std::string& text = lists.emplace_back(list);
  for (std::string_view name : names)
    text.append(" ").append(name);
}

void AddValues(std::vector<std::string>& lists, std::string_view list,
               std::span<const NamedValue> values) {
  std::string& text = lists.emplace_back(list);
  for (const NamedValue& value : values)
    text.append(" ").append(value.name).append("=").append(std::to_string(value.value));
}

}  // namespace

std::vector<std::string> EntryNameLists() {
  std::vector<std::string> lists;
  AddList(lists, "recordNumbers", kRecordNumbers);
  AddList(lists, "recordTexts", kRecordTexts);
  AddList(lists, "designTexts", kDesignTexts);
  AddList(lists, "tableTexts", kTableTexts);
  AddList(lists, "csvTexts", kCsvTexts);
  AddList(lists, "altitudeTexts", kAltitudeTexts);
  AddList(lists, "drawNumbers", kDrawNumbers);
  AddList(lists, "drawTexts", kDrawTexts);
  AddList(lists, "lineNumbers", kLineNumbers);
  AddList(lists, "designNumbers", kDesignNumbers);
  AddList(lists, "designPointNumbers", kDesignPointNumbers);
  AddList(lists, "designLineNumbers", kDesignLineNumbers);
  AddList(lists, "protractorNumbers", kProtractorNumbers);
  AddList(lists, "pickNumbers", kPickNumbers);
  AddList(lists, "pickTexts", kPickTexts);
  AddList(lists, "climateTexts", kClimateTexts);
  AddList(lists, "climateDrawNumbers", kClimateDrawNumbers);
  AddList(lists, "climateCellNumbers", kClimateCellNumbers);
  AddList(lists, "climateZoneNumbers", kClimateZoneNumbers);
  AddList(lists, "climateDrawTexts", kClimateDrawTexts);
  AddValues(lists, "kinds", kCurveKindNames);
  AddValues(lists, "layouts", kLayoutNames);
  AddValues(lists, "designLineKinds", kDesignLineKinds);

  std::string parameters = "parameters";
  std::string copied = "copiedParameters";
  for (int i = 0; i < kParameterCount; ++i) {
    parameters.append(" ").append(KeyOf(ParameterField(i)));
    copied.append(" ").append(process::CopiedParameterKey(ParameterField(i)));
  }
  std::string processes = "processes";
  for (const process::ProcessName& process : process::kProcessNames)
    processes.append(" ").append(process.key).append("=").append(process.name);
  lists.push_back(std::move(parameters));
  lists.push_back(std::move(copied));
  lists.push_back(std::move(processes));
  return lists;
}

}  // namespace tarvel::web
