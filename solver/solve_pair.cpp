#include "solver/solve_pair.h"

#include "solver/messages.h"
#include "solver/pair_cases.h"
#include "solver/state_completion.h"

namespace tarvel {

void SolvePair(FieldPanel& panel, PairCode code) {
  switch (code) {
    case 3:
      FromDryWet(panel);
      return;
    case 4:
      FromDryRh(panel);
      return;
    case 5:
      DryBulbWithDewPoint(panel);
      return;
    case 6:
      DryBulbWithMoisture(panel);
      return;
    case 7:
      DryBulbWithEnthalpy(panel);
      return;
    case 8:
      WetBulbWithRelHumidity(panel);
      return;
    case 9:
      WetBulbWithDewPoint(panel);
      return;
    case 10:
      WetBulbWithMoisture(panel);
      return;
    case 11:
      // Wet bulb and enthalpy lie on nearly the same line of the chart: no state follows.
      panel.ShowMessage(messages::kNoResult, MessageIcon::None, messages::kTitleError);
      return;
    case 12:
      RelHumidityWithDewPoint(panel);
      return;
    case 13:
      RelHumidityWithMoisture(panel);
      return;
    case 14:
      RelHumidityWithEnthalpy(panel);
      return;
    case 15:
      // The dew point fixes the moisture content: every dry bulb above it fits.
      panel.ShowMessage(messages::kSeveralResults, MessageIcon::None, messages::kTitleAttention);
      return;
    case 16:
      DewPointWithEnthalpy(panel);
      return;
    case 17:
      MoistureWithEnthalpy(panel);
      return;
    default:
      return;
  }
}

}  // namespace tarvel
