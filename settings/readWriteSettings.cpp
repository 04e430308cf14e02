#include "settings/readWriteSettings.h"

readWriteSettings::~readWriteSettings() = default;

int readWriteSettings::noOp()
{
    return 1;
}
