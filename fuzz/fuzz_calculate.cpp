// The calculate command on seven arbitrary texts. The input is split at '|' into the six parameter
// texts Text(0) to Text(5) and the pressure text (the rest of the input; missing texts are empty).
// Whatever the texts, the command returns (libFuzzer's -timeout catches a search that does not
// end), never touches the pressure, writes only texts in the written number form, writes nothing
// after its message and shows at most one. And the plain exact searches give the very same writes,
// messages and outcome as the filtered ones the calculator runs.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/number_form.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"

namespace {

using tarvel::AirField;
using tarvel::CalculateOutcome;
using tarvel::MemoryPanel;
using tarvel::fuzz::Require;

constexpr char kSeparator = '|';

struct Texts {
  std::array<std::string, tarvel::kParameterCount> parameters;
  std::string pressure;
};

Texts SplitTexts(std::string_view input) {
  Texts texts;
  for (std::string& parameter : texts.parameters) {
    const std::size_t end = input.find(kSeparator);
    if (end == std::string_view::npos) {
      parameter = input;
      return texts;
    }
    parameter = input.substr(0, end);
    input.remove_prefix(end + 1);
  }
  texts.pressure = input;
  return texts;
}

void CheckWrites(const Texts& before, const MemoryPanel& panel) {
  std::array<std::string, tarvel::kParameterCount> expected = before.parameters;
  std::array<bool, tarvel::kParameterCount> written{};
  bool message_shown = false;
  for (const MemoryPanel::Event& event : panel.Events()) {
    if (event.kind == MemoryPanel::Event::Kind::Message) {
      message_shown = true;
      continue;
    }
    Require(!message_shown, "nothing is written after a message", event.text);
    Require(event.field != AirField::Pressure, "the pressure is never written", event.text);
    Require(tarvel::fuzz::IsWrittenNumberForm(event.text), "written form", event.text);
    Require(tarvel::FormatNumber(tarvel::ParseNumber(event.text)) == event.text,
            "a written text reads back as itself", event.text);
    const int index = tarvel::FieldIndex(event.field);
    expected[index] = event.text;
    written[index] = true;
  }
  for (int i = 0; i < tarvel::kParameterCount; ++i) {
    Require(panel.Text(tarvel::ParameterField(i)) == expected[i],
            "a field holds its last written text, or its own",
            panel.Text(tarvel::ParameterField(i)));
  }
  Require(panel.Text(AirField::Pressure) == before.pressure, "the pressure text is unchanged",
          panel.Text(AirField::Pressure));
}

void CheckSameAsPlainSearches(const Texts& texts, CalculateOutcome outcome,
                              const MemoryPanel& panel) {
  MemoryPanel plain(texts.parameters, texts.pressure, MemoryPanel::Recording::On);
  Require(tarvel::RunCalculate(plain, tarvel::SearchMode::Exact) == outcome,
          "the plain searches end the same way");
  Require(plain.Messages() == panel.Messages(), "the plain searches show the same messages");
  const auto& a = plain.Events();
  const auto& b = panel.Events();
  Require(a.size() == b.size(), "the plain searches write as often");
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    Require(a[i].kind == b[i].kind && a[i].field == b[i].field && a[i].text == b[i].text,
            "the plain searches write the same", b[i].text);
  }
}

void CheckEnding(CalculateOutcome outcome, const MemoryPanel& panel) {
  const std::size_t messages = panel.Messages().size();
  Require(messages <= 1, "at most one message");
  if (outcome == CalculateOutcome::Completed) {
    Require(messages == 0, "a completed calculation shows no message");
    // Both completions write the dew point, the moisture content and the enthalpy; the dry bulb,
    // the wet bulb and the relative humidity are given or written before them.
    for (int i = 0; i < tarvel::kParameterCount; ++i) {
      Require(!panel.Text(tarvel::ParameterField(i)).empty(),
              "a completed calculation leaves no parameter empty");
    }
  } else {
    Require(messages == 1, "a calculation that does not complete says why, once");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Texts texts = SplitTexts(std::string_view(reinterpret_cast<const char*>(data), size));
  MemoryPanel panel(texts.parameters, texts.pressure, MemoryPanel::Recording::On);
  const CalculateOutcome outcome = tarvel::RunCalculate(panel);
  CheckWrites(texts, panel);
  CheckEnding(outcome, panel);
  CheckSameAsPlainSearches(texts, outcome, panel);
  return 0;
}
