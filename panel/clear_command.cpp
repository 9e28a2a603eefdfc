#include "panel/clear_command.h"

namespace tarvel {

void ClearParameters(FieldPanel& panel) {
  for (int i = 0; i < kParameterCount; ++i)
    panel.SetText(ParameterField(i), "");
}

}  // namespace tarvel
