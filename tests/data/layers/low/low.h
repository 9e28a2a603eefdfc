// A layer's header that includes from a layer above it, and from its own folder.
#pragma once
#include "high/high.h"
#include "low/other.h"
