#pragma once

#include "panel/field_panel.h"

namespace tarvel::web {

// The seven texts the page last handed to the core, as the page's commands left them: what the
// chart reads its pressure and its state from.
const FieldPanel& PageFields();

}  // namespace tarvel::web
