// Exit code 0 when filters filled through the DLL answer as they should.
#include "shared/sharedSettings.h"

int main()
{
    MemoryData memory;
    if (memory.hasCollectorsAndFilters() != 0 || memory.classMethodFilters.add(L"Shape::*") != 1)
        return 1;
    const int filtered = memory.isFileNameClassMethodFiltered("main.cpp", 0, "Shape", "Draw", 0);
    const int passed = memory.isFileNameClassMethodFiltered(L"main.cpp", 0, L"App", L"Run", 0);
    return filtered == 1 && passed == 0 && memory.hasCollectorsAndFilters() == 1 ? 0 : 2;
}
