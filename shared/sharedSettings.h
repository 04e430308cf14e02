#pragma once

// The exported settings classes of the profiler family's shared code: the
// memory-mapped-file flags, the tracing settings and the collector filters.
#include "shared/MemoryData.h"
#include "shared/SettingDataKorvane.h"
#include "shared/SettingDataQexal.h"
#include "shared/exportedLayout.h"
#include "shared/profilerHookDebugData.h"
#include "shared/stubStringList.h"
