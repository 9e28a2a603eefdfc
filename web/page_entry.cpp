// The web page's entry to the core. The page holds the seven field texts; for each command it
// hands them over, the core runs the command on the in-memory panel that the replay and the tests
// use too, and the page then replays what the panel recorded, in order: the texts written into
// fields and the messages shown.
// Every message ends its command, so a page that applies the writes and then shows the messages
// shows what the window shows.
#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

#include "panel/clear_command.h"
#include "panel/memory_panel.h"
#include "panel/start_up_text.h"
#include "solver/calculate_command.h"
#include "web/entry_buffer.h"
#include "web/page_fields.h"

namespace {

using tarvel::AirField;
using tarvel::MemoryPanel;

MemoryPanel panel(MemoryPanel::Recording::On);
std::string incoming;

const MemoryPanel::Event* At(int k) {
  const auto& events = panel.Events();
  return k >= 0 && static_cast<std::size_t>(k) < events.size() ? &events[k] : nullptr;
}

std::string_view Part(int k, int part) {
  const MemoryPanel::Event* event = At(k);
  if (event == nullptr)
    return {};
  if (part == 0)
    return event->text;
  if (event->kind != MemoryPanel::Event::Kind::Message)
    return {};
  const MemoryPanel::Message& message = panel.Messages()[event->message];
  if (part == 1)
    return tarvel::IconName(message.icon);
  if (part == 2)
    return message.title;
  return {};
}

}  // namespace

namespace tarvel::web {

const FieldPanel& PageFields() {
  return panel;
}

}  // namespace tarvel::web

extern "C" {

// A buffer of `size` bytes into which the page writes the UTF-8 text for tarvel_set_text.
EMSCRIPTEN_KEEPALIVE char* tarvel_text_buffer(int size) {
  return tarvel::web::TextBuffer(incoming, size);
}

// Sets the text of field 0 to 6 (Text(0) to Text(5), then the pressure Text4) to the buffer. The
// user typed it: it is no part of what a command does, so it leaves no record.
EMSCRIPTEN_KEEPALIVE void tarvel_set_text(int field) {
  if (field >= 0 && field < tarvel::kFieldCount) {
    panel.SetText(static_cast<AirField>(field), incoming);
    panel.ClearRecord();
  }
}

// The calculate command on the texts set; returns how it ended (CalculateOutcome).
EMSCRIPTEN_KEEPALIVE int tarvel_calculate() {
  panel.ClearRecord();
  return static_cast<int>(tarvel::RunCalculate(panel));
}

// The clear command on the texts set.
EMSCRIPTEN_KEEPALIVE void tarvel_clear() {
  panel.ClearRecord();
  tarvel::ClearParameters(panel);
}

// Start-up: the credit message, recorded like a command's message.
EMSCRIPTEN_KEEPALIVE void tarvel_start_up() {
  panel.ClearRecord();
  panel.ShowMessage(tarvel::kStartUpCredit, tarvel::MessageIcon::Information,
                    tarvel::kStartUpTitle);
}

// What the last command did, record by record: the field it wrote (-1 for a message), and its
// parts as UTF-8 text: 0 the text, 1 the MessageIcon name, 2 the title (both empty for a write).
EMSCRIPTEN_KEEPALIVE int tarvel_record_count() {
  return static_cast<int>(panel.Events().size());
}
EMSCRIPTEN_KEEPALIVE int tarvel_record_field(int k) {
  const MemoryPanel::Event* event = At(k);
  return event && event->kind == MemoryPanel::Event::Kind::Write ? tarvel::FieldIndex(event->field)
                                                                 : -1;
}
EMSCRIPTEN_KEEPALIVE const char* tarvel_record_part(int k, int part) {
  return Part(k, part).data();
}
EMSCRIPTEN_KEEPALIVE int tarvel_record_part_size(int k, int part) {
  return static_cast<int>(Part(k, part).size());
}

}  // extern "C"
