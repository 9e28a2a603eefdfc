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
// - {"error"} exactly when the request is no design (not an object, another command, no pressure
//   text, a flow that does not read as a positive number, no list of points);
// - an answer for every point, in request order, under its name;
// - running the calculate command on a point's `inputs` (exactly those parameter texts, at the
//   request's pressure) leaves its `fields` byte for byte and shows its messages first;
// - a point without inputs has every field empty and says why;
// - each input of a process is its formula from the earlier points' field values within 0.005:
//   the texts a process copies are the very texts, and what it computes (a mix, heating by a heat
//   flow, the supply state on the heat-moisture ratio line) lies within half a hundredth;
// - each complete state's volume and density, and each supply state's figures (ε, the flow, the
//   moisture difference, W/G, the volume flows, the ε line), are their documented relations of
//   the fields, to the last bit;
// - the design's flow is the first supply state's or the request's, and there is one step for
//   every process (a mix too) completed without a message, in request order: its changes the
//   differences of its states' fields, its flows (a mix's streams' G·w/Σw) and heat and water
//   flows the design's flow (or a heating's own) times them, its path from state to state; a
//   figure that is not finite is left out, and the step or its state says so.
std::vector<std::string> DesignContractFailures(const nlohmann::json& request,
                                                const nlohmann::json& answer);

}  // namespace tarvel::testing_support
