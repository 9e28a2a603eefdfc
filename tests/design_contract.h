#pragma once

// The exactness contract of a design's answer, checked from outside the core's processes: every
// state is the calculate command's own answer to its two inputs, and every input is its process's
// formula, computed afresh from the earlier states' field texts, to within half a hundredth.
// Used by the unit tests and by the design fuzzer.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tarvel::testing_support {

// The broken promises of `answer` to `request` (a design request and the answer the core gave
// it), in words; empty when the answer keeps the contract:
// - an answer for every point, in request order, under its name;
// - running the calculate command on a point's `inputs` (exactly those parameter texts, at the
//   request's pressure) leaves its `fields` byte for byte and shows its messages first;
// - a point without inputs has every field empty and says why;
// - each input of a process is its formula from the earlier points' field values within 0.005:
//   the texts a process copies are the very texts, and what it computes (a mix, heating by a heat
//   flow, the supply state on the heat-moisture ratio line) lies within half a hundredth;
// - each step's changes and flows are the differences of its states' fields times the flow.
std::vector<std::string> DesignContractFailures(const nlohmann::json& request,
                                                const nlohmann::json& answer);

}  // namespace tarvel::testing_support
