// A caller built for Microsoft's ABI (clang, lld-link) against the installed
// headers and korSharedSettings.lib. No C++ runtime: its own entry point,
// Win32 and msvcrt's operator new and delete only. Writes the scenario's
// text to standard output for sharedConsumerTests to compare.
#include "consumerScenario.h"

namespace
{
consumerScenario::report output;
}

extern "C" void consumerMain()
{
    consumerScenario::writeAll(output);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), output.text, static_cast<DWORD>(output.length), &written, nullptr);
    ExitProcess(0);
}
