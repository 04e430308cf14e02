#include "framework/CApplication.h"

int CApplication::run()
{
    (void)initInstance();
    return 0;
}
