#include "framework/CApplication.h"

int CApplication::run()
{
    if (!initInstance())
        return exitInstance();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return exitInstance();
}
