#pragma once

#include "process/design_answer.h"

namespace tarvel::web {

// The design the page last had answered (tarvel_design), which the chart draws and the table
// shows; null when that request was no design.
const process::DesignAnswer* PageDesign();

}  // namespace tarvel::web
