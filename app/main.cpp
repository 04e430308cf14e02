#include "app/processObjects.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return logControllerApp.run(instance);
}
