#pragma once

#include <string>

namespace tarvel::batch {

// What a system error number means, in Chinese for the errors a user meets when reading and
// writing files; others keep the C library's text and their number.
std::string SystemErrorText(int error);

}  // namespace tarvel::batch
