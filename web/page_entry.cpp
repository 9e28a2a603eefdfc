// The web page's entry to the core. The page holds the seven field texts; for each command it
// hands them over, the core runs the command on a panel that holds them in memory, and the page
// then replays what the panel recorded, in order: the texts written into fields and the messages
// shown.
// Every message ends its command, so a page that applies the writes and then shows the messages
// shows what the window shows.
#include <emscripten/emscripten.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "solver/calculate_command.h"
#include "ui/clear_command.h"
#include "ui/field_panel.h"
#include "ui/start_up.h"

namespace {

using tarvel::AirField;
using tarvel::MessageIcon;

// One thing the command did: a field written (field >= 0) or a message shown (field < 0).
struct Record {
  int field;
  std::string text;
  std::string_view icon;  // MessageIcon name
  std::string title;
};

// The seven texts the page handed over, and the record of what the command did to them.
class PagePanel final : public tarvel::FieldPanel {
 public:
  std::string_view Text(AirField field) const override { return texts_[tarvel::FieldIndex(field)]; }
  void SetText(AirField field, std::string_view text) override {
    // Recorded first: `text` may be a view of the field's own text.
    records_.push_back({tarvel::FieldIndex(field), std::string(text), {}, {}});
    texts_[tarvel::FieldIndex(field)] = records_.back().text;
  }
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override {
    records_.push_back({-1, std::string(text), tarvel::IconName(icon), std::string(title)});
  }

  // Sets a text before a command, without recording it.
  void Load(AirField field, std::string_view text) { texts_[tarvel::FieldIndex(field)] = text; }
  std::vector<Record>& Records() { return records_; }

 private:
  std::array<std::string, tarvel::kFieldCount> texts_;
  std::vector<Record> records_;
};

PagePanel panel;
std::string incoming;

const Record* At(int k) {
  const std::vector<Record>& records = panel.Records();
  return k >= 0 && static_cast<std::size_t>(k) < records.size() ? &records[k] : nullptr;
}

std::string_view Part(int k, int part) {
  const Record* r = At(k);
  if (r == nullptr)
    return {};
  switch (part) {
    case 0:
      return r->text;
    case 1:
      return r->icon;
    case 2:
      return r->title;
  }
  return {};
}

}  // namespace

extern "C" {

// A buffer of `size` bytes into which the page writes the UTF-8 text for tarvel_set_text.
EMSCRIPTEN_KEEPALIVE char* tarvel_text_buffer(int size) {
  incoming.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  return incoming.data();
}

// Sets the text of field 0 to 6 (Text(0) to Text(5), then the pressure Text4) to the buffer.
EMSCRIPTEN_KEEPALIVE void tarvel_set_text(int field) {
  if (field >= 0 && field < tarvel::kFieldCount)
    panel.Load(static_cast<AirField>(field), incoming);
}

// The calculate command on the texts set; returns how it ended (CalculateOutcome).
EMSCRIPTEN_KEEPALIVE int tarvel_calculate() {
  panel.Records().clear();
  const tarvel::CalculateOutcome outcome = tarvel::RunCalculate(panel);
  return static_cast<int>(outcome);
}

// The clear command on the texts set.
EMSCRIPTEN_KEEPALIVE void tarvel_clear() {
  panel.Records().clear();
  tarvel::ClearParameters(panel);
}

// Start-up: the credit message, recorded like a command's message.
EMSCRIPTEN_KEEPALIVE void tarvel_start_up() {
  panel.Records().clear();
  panel.ShowMessage(tarvel::kStartUpCredit, MessageIcon::Information, tarvel::kStartUpTitle);
}

// What the last command did, record by record: the field it wrote (-1 for a message), and its
// parts as UTF-8 text: 0 the text, 1 the MessageIcon name, 2 the title (both empty for a write).
EMSCRIPTEN_KEEPALIVE int tarvel_record_count() {
  return static_cast<int>(panel.Records().size());
}
EMSCRIPTEN_KEEPALIVE int tarvel_record_field(int k) {
  const Record* r = At(k);
  return r ? r->field : -1;
}
EMSCRIPTEN_KEEPALIVE const char* tarvel_record_part(int k, int part) {
  return Part(k, part).data();
}
EMSCRIPTEN_KEEPALIVE int tarvel_record_part_size(int k, int part) {
  return static_cast<int>(Part(k, part).size());
}

}  // extern "C"
