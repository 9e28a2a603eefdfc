// A front end's source, in a sub-folder: a header of its own, a layer below, the one header of
// another folder it may use, and a header of that folder it may not.
#include "front/part/entry.h"
#include "app/batch/batch_run.h"
#include "app/replay_session.h"
#include "low/low.h"
