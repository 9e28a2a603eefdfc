#include "solver/solve_pair.h"

#include "panel/messages.h"
#include "solver/pair_cases.h"
#include "solver/state_completion.h"

namespace tarvel {

void SolvePair(FieldPanel& panel, PairCode code, SearchMode mode) {
  switch (code) {
    case 3:
      FromDryWet(panel, {}, mode);
      return;
    case 4:
      FromDryRh(panel, {}, mode);
      return;
    case 5:
      DryBulbWithDewPoint(panel, mode);
      return;
    case 6:
      DryBulbWithMoisture(panel, mode);
      return;
    case 7:
      DryBulbWithEnthalpy(panel, mode);
      return;
    case 8:
      WetBulbWithRelHumidity(panel, mode);
      return;
    case 9:
      WetBulbWithDewPoint(panel, mode);
      return;
    case 10:
      WetBulbWithMoisture(panel, mode);
      return;
    case 11:
      // Wet bulb and enthalpy lie on nearly the same line of the chart: no state follows.
      panel.ShowMessage(messages::kNoResult, MessageIcon::None, messages::kTitleError);
      return;
    case 12:
      RelHumidityWithDewPoint(panel, mode);
      return;
    case 13:
      RelHumidityWithMoisture(panel, mode);
      return;
    case 14:
      RelHumidityWithEnthalpy(panel, mode);
      return;
    case 15:
      // The dew point fixes the moisture content: every dry bulb above it fits.
      panel.ShowMessage(messages::kSeveralResults, MessageIcon::None, messages::kTitleAttention);
      return;
    case 16:
      DewPointWithEnthalpy(panel, mode);
      return;
    case 17:
      MoistureWithEnthalpy(panel, mode);
      return;
    default:
      return;
  }
}

}  // namespace tarvel
