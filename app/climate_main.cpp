// tarvel-climate: a weather file's hours, each calculated as the calculator's window would, with
// the outdoor design conditions and the comfort zones they give. See tarvel-climate --help.
#include "app/climate/climate_run.h"

int main(int argc, char** argv) {
  return tarvel::climate_app::RunClimate(argc, argv);
}
