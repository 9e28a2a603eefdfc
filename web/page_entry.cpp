// The web page's entry to the core. The page makes its core (tarvel_page) and hands it to every
// call. It holds the seven field texts; for each command it hands them over, the core runs the
// command on the in-memory panel that the replay and the tests use too, and the page then replays
// what the panel recorded, in order: the texts written into fields and the messages shown. Every
// message ends its command, so a page that applies the writes and then shows the messages shows
// what the window shows. Every call answers in the same shape (web/handover.h): numbers and texts,
// read by the names tarvel_names gives.
#include <emscripten/emscripten.h>

#include <string>

#include "panel/clear_command.h"
#include "panel/start_up_text.h"
#include "solver/calculate_command.h"
#include "web/handover.h"
#include "web/page_core.h"

namespace {

using tarvel::MemoryPanel;
using tarvel::web::At;
using tarvel::web::kRecordNumbers;
using tarvel::web::kRecordTexts;
using tarvel::web::PageCore;

// What the command did, thing by thing, as the page replays it.
void Records(PageCore& page) {
  page.answer.Clear();
  for (const MemoryPanel::Event& event : page.fields.Events()) {
    std::array<double, kRecordNumbers.size()> numbers{};
    std::array<std::string, kRecordTexts.size()> texts;
    texts[At(kRecordTexts, "text")] = event.text;
    numbers[At(kRecordNumbers, "field")] = -1;
    if (event.kind == MemoryPanel::Event::Kind::Write) {
      numbers[At(kRecordNumbers, "field")] = tarvel::FieldIndex(event.field);
    } else {
      const MemoryPanel::Message& message = page.fields.Messages()[event.message];
      texts[At(kRecordTexts, "icon")] = tarvel::IconName(message.icon);
      texts[At(kRecordTexts, "title")] = message.title;
    }
    tarvel::web::Add(page.answer.numbers, numbers);
    tarvel::web::Add(page.answer.texts, texts);
  }
}

}  // namespace

extern "C" {

// The page's core, made once when the page starts.
EMSCRIPTEN_KEEPALIVE PageCore* tarvel_page() {
  return new PageCore();
}

// A buffer of `size` bytes into which the page writes the UTF-8 text that the next call reads
// (a field's text, a design request, an altitude). Valid until the next call.
EMSCRIPTEN_KEEPALIVE char* tarvel_buffer(PageCore* page, int size) {
  page->incoming.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  return page->incoming.data();
}

// Sets the text of field 0 to 6 (Text(0) to Text(5), then the pressure Text4) to the buffer's.
// The user typed it: it is no part of what a command does, so it leaves no record.
EMSCRIPTEN_KEEPALIVE void tarvel_set_text(PageCore* page, int field) {
  if (field >= 0 && field < tarvel::kFieldCount) {
    page->fields.SetText(static_cast<tarvel::AirField>(field), page->incoming);
    page->fields.ClearRecord();
  }
}

// The calculate command on the texts set: its records.
EMSCRIPTEN_KEEPALIVE void tarvel_calculate(PageCore* page) {
  page->fields.ClearRecord();
  tarvel::RunCalculate(page->fields);
  Records(*page);
}

// The clear command on the texts set: its records.
EMSCRIPTEN_KEEPALIVE void tarvel_clear(PageCore* page) {
  page->fields.ClearRecord();
  tarvel::ClearParameters(page->fields);
  Records(*page);
}

// Start-up: the credit message, recorded like a command's message.
EMSCRIPTEN_KEEPALIVE void tarvel_start_up(PageCore* page) {
  page->fields.ClearRecord();
  page->fields.ShowMessage(tarvel::kStartUpCredit, tarvel::MessageIcon::Information,
                           tarvel::kStartUpTitle);
  Records(*page);
}

// The names of every answer's entries, and the core's names the page's forms use: texts, one for
// each list (web/handover.h, EntryNameLists).
EMSCRIPTEN_KEEPALIVE void tarvel_names(PageCore* page) {
  page->answer.Clear();
  page->answer.texts = tarvel::web::EntryNameLists();
}

// The answer of the last call: its numbers, and its texts one by one as UTF-8.
EMSCRIPTEN_KEEPALIVE const double* tarvel_numbers(PageCore* page) {
  return page->answer.numbers.data();
}
EMSCRIPTEN_KEEPALIVE int tarvel_number_count(PageCore* page) {
  return static_cast<int>(page->answer.numbers.size());
}
EMSCRIPTEN_KEEPALIVE int tarvel_text_count(PageCore* page) {
  return static_cast<int>(page->answer.texts.size());
}
EMSCRIPTEN_KEEPALIVE const char* tarvel_text(PageCore* page, int k) {
  return k >= 0 && k < tarvel_text_count(page) ? page->answer.texts[k].data() : "";
}
EMSCRIPTEN_KEEPALIVE int tarvel_text_size(PageCore* page, int k) {
  return k >= 0 && k < tarvel_text_count(page) ? static_cast<int>(page->answer.texts[k].size()) : 0;
}

}  // extern "C"
