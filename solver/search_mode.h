#pragma once

namespace tarvel {

// How the searches of a calculation reach the verdict on each midpoint. Both give the same
// verdicts, so the same answers to the last bit; the exact mode is the plain algorithm, kept as
// the reference that the filtered one is tested and timed against.
enum class SearchMode {
  Filtered,  // by a proven enclosure where it decides, by the exact evaluation where it does not
  Exact,     // every verdict by the exact evaluation of the residual
};

}  // namespace tarvel
