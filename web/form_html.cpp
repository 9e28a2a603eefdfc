// form-html TEMPLATE OUTPUT: writes the page, index.html, from its template with the calculator's
// form filled in from the table the desktop window is built from (panel/form_layout.h), so that the
// page and the window cannot differ in a caption, a place or the focus order. The web build runs
// it under node; the page itself computes nothing of its form.
//
// In the template, each of these markers is replaced by what it stands for:
//   @TITLE@                      the form's title
//   @FORM_WIDTH@, @FORM_HEIGHT@  the size of its client area, in layout units
//   @FORM@                       the form: its title bar, and every field between its caption
//                                and its unit label in keyboard focus order, then the two buttons
// Any other @WORD@ stops the build, as does a template without @FORM@.
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "panel/form_layout.h"

namespace {

namespace form = tarvel::form;

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// The place as the page's style sheet reads it: custom properties in layout units.
std::string PlaceStyle(form::Place place) {
  return "--left:" + std::to_string(place.left) + ";--top:" + std::to_string(place.top) +
         ";--width:" + std::to_string(place.width) + ";--height:" + std::to_string(place.height);
}

std::string Attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + Escaped(value) + "\"";
}

// A field between its caption and its unit: the document's order is the page's focus order. The
// input's data-field is the field's index in the core, and its accessible name is its caption
// and unit, as in the window ("干球温度 ℃").
std::string FieldHtml(const form::Field& field) {
  const form::Label& caption = *form::FindLabel(field.name_label);
  const form::Label& unit = *form::FindLabel(field.unit_label);
  return "    <label" + Attribute("id", caption.name) + Attribute("for", field.name) +
         Attribute("style", PlaceStyle(caption.place)) + ">" + Escaped(caption.caption) +
         "</label>\n" + "    <input" + Attribute("id", field.name) +
         Attribute("data-field", std::to_string(tarvel::FieldIndex(field.field))) +
         Attribute("type", "text") +
         Attribute("aria-labelledby", std::string(caption.name) + " " + std::string(unit.name)) +
         Attribute("autocomplete", "off") + Attribute("spellcheck", "false") +
         Attribute("style", PlaceStyle(field.place)) + ">\n" + "    <span" +
         Attribute("id", unit.name) + Attribute("style", PlaceStyle(unit.place)) + ">" +
         Escaped(unit.caption) + "</span>\n\n";
}

std::string ButtonHtml(const form::Button& button) {
  return "    <button" + Attribute("id", button.name) + Attribute("type", "button") +
         Attribute("style", PlaceStyle(button.place)) + ">" + Escaped(button.caption) +
         "</button>\n";
}

std::string FormHtml() {
  const std::string title_id = std::string(form::kFormName) + "-title";
  std::string html = "<main" + Attribute("id", form::kFormName) +
                     Attribute("class", "window loading") + Attribute("aria-labelledby", title_id) +
                     ">\n" + "  <h1" + Attribute("id", title_id) + Attribute("class", "title") +
                     ">" + Escaped(form::kTitle) + "</h1>\n" + "  <div class=\"client\">\n";
  for (const form::Field& field : form::kFields)
    html += FieldHtml(field);
  html += ButtonHtml(form::kCalculateButton) + ButtonHtml(form::kClearButton);
  return html + "  </div>\n</main>";
}

std::optional<std::string> MarkerText(std::string_view marker) {
  if (marker == "TITLE")
    return Escaped(form::kTitle);
  if (marker == "FORM_WIDTH")
    return std::to_string(form::kClientArea.width);
  if (marker == "FORM_HEIGHT")
    return std::to_string(form::kClientArea.height);
  if (marker == "FORM")
    return FormHtml();
  return std::nullopt;
}

bool IsMarkerName(std::string_view name) {
  if (name.empty())
    return false;
  for (char c : name) {
    if (!((c >= 'A' && c <= 'Z') || c == '_'))
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: form-html TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in.is_open()) {
    std::cerr << "form-html: cannot read " << argv[1] << "\n";
    return 1;
  }
  const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  std::string out;
  bool has_form = false;
  std::size_t at = 0;
  for (std::size_t start = page.find('@'); start != std::string::npos; start = page.find('@', at)) {
    const std::size_t end = page.find('@', start + 1);
    const std::string_view name =
        end == std::string::npos ? "" : std::string_view(page).substr(start + 1, end - start - 1);
    if (!IsMarkerName(name)) {
      out.append(page, at, start + 1 - at);
      at = start + 1;
      continue;
    }
    const std::optional<std::string> text = MarkerText(name);
    if (!text) {
      std::cerr << "form-html: " << argv[1] << " has the unknown marker @" << name << "@\n";
      return 1;
    }
    has_form |= name == "FORM";
    out.append(page, at, start - at).append(*text);
    at = end + 1;
  }
  out.append(page, at);
  if (!has_form) {
    std::cerr << "form-html: " << argv[1] << " has no @FORM@\n";
    return 1;
  }
  std::ofstream file(argv[2], std::ios::binary);
  file << out;
  if (!file) {
    std::cerr << "form-html: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
