// isFileNameClassMethodFiltered with 100 patterns in each list, against the
// bare matching it cannot avoid (every pattern of both lists tried on a name
// that is already composed), with the heap calls it makes per call.
#include "benchTimer.h"
#include "heapCallCounter.h"
#include "shared/MemoryData.h"
#include "shared/wildcardMatch.h"

#include <cstdio>
#include <string>

namespace
{
void fillLists(MemoryData& data)
{
    for (int i = 0; i < 100; ++i) {
        const std::wstring n = std::to_wstring(i);
        data.classMethodFilters.add((L"Namespace" + n + L"::Class*::Method" + n).c_str());
        data.fileNameFilters.add((L"*\\module" + n + L"\\*.CPP").c_str());
    }
    data.classMethodFilterMode = 1;
    data.fileNameFilterMode = 1;
}

// No pattern matches these, so every call tries all 200 patterns.
constexpr wchar_t className[] = L"CqxGUILogControllerDlg";
constexpr wchar_t methodName[] = L"OnInitDialog";
constexpr wchar_t composed[] = L"CqxGUILogControllerDlg::OnInitDialog";
constexpr wchar_t fileName[] = L"C:\\src\\korvanex\\app\\CqxGUILogControllerDlg.cpp";
constexpr char narrowClassName[] = "CqxGUILogControllerDlg";
constexpr char narrowMethodName[] = "OnInitDialog";
constexpr char narrowFileName[] = "C:\\src\\korvanex\\app\\CqxGUILogControllerDlg.cpp";
} // namespace

int main()
{
    if (!heapCallCounter::install())
        std::printf("heap calls cannot be counted here\n");
    MemoryData data;
    fillLists(data);
    volatile int sink = 0;

    auto bareMatching = [&] {
        int hits = 0;
        for (UINT32 i = 0; i < data.classMethodFilters.getCount(); ++i)
            hits += wildcardMatch(data.classMethodFilters.getAt(i).GetString(), composed, 1);
        for (UINT32 i = 0; i < data.fileNameFilters.getCount(); ++i)
            hits += wildcardMatch(data.fileNameFilters.getAt(i).GetString(), fileName, 0);
        sink = sink + hits;
    };
    auto wideCall = [&] {
        sink = sink + data.isFileNameClassMethodFiltered(fileName, 0, className, methodName, 0);
    };
    auto narrowCall = [&] {
        sink = sink + data.isFileNameClassMethodFiltered(narrowFileName, 0, narrowClassName, narrowMethodName, 0);
    };

    constexpr long iterations = 2000;
    double bareNs = 0;
    double wideNs = 0;
    double narrowNs = 0;
    benchTimer::ratio(bareMatching, wideCall, iterations, bareNs, wideNs);
    benchTimer::report("isFileNameClassMethodFiltered (wide), 2 x 100 patterns", bareNs, wideNs, "<= 1.05x");
    benchTimer::ratio(bareMatching, narrowCall, iterations, bareNs, narrowNs);
    benchTimer::report("isFileNameClassMethodFiltered (narrow), 2 x 100 patterns", bareNs, narrowNs, "<= 1.05x");

    constexpr long counted = 1000;
    const long long before = heapCallCounter::calls();
    for (long i = 0; i < counted; ++i)
        wideCall();
    const long long afterWide = heapCallCounter::calls();
    for (long i = 0; i < counted; ++i)
        narrowCall();
    const long long afterNarrow = heapCallCounter::calls();
    std::printf("heap calls per call: wide %.2f (no composed name on the heap, file name used in place), "
                "narrow %.2f (names within the buffer widened in place; target 0)\n",
                static_cast<double>(afterWide - before) / counted,
                static_cast<double>(afterNarrow - afterWide) / counted);
    return 0;
}
