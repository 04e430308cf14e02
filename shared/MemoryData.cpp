#include "shared/MemoryData.h"

#include "settings/productKeySession.h"
#include "shared/composedName.h"
#include "shared/tracingSettings.h"
#include "shared/widenedName.h"
#include "shared/wildcardMatch.h"
#include "support/stubString.h"

#include <cwchar>

namespace
{
// What a filter list does with the names it lists. The owner sets it as an
// int mode (the exported layout keeps ints); each test reads it as one of
// these.
enum class listSense
{
    off,
    filtersListed,
    keepsListed, // filters every name the list does not hold
};

listSense classMethodSense(int mode) noexcept
{
    return mode == 2 ? listSense::keepsListed : listSense::filtersListed;
}

// Modes 1 and 2 each choose a sense; any other mode switches the list off.
listSense modeSense(int mode, listSense modeOne, listSense modeTwo) noexcept
{
    return mode == 1 ? modeOne : (mode == 2 ? modeTwo : listSense::off);
}

listSense fileNameSense(int mode) noexcept
{
    return modeSense(mode, listSense::filtersListed, listSense::keepsListed);
}

// The one-name line-timing test reads its own mode the other way round.
listSense lineTimingNameSense(int mode) noexcept
{
    return modeSense(mode, listSense::keepsListed, listSense::filtersListed);
}

int verdict(listSense sense, bool listed) noexcept
{
    switch (sense) {
    case listSense::filtersListed:
        return listed ? 1 : 0;
    case listSense::keepsListed:
        return listed ? 0 : 1;
    case listSense::off:
        break;
    }
    return 0;
}

enum class letterCase
{
    matters,
    ignored,
};

bool anyEntryMatches(const stubStringList& patterns, const wchar_t* text, letterCase letters) noexcept
{
    const int caseSensitive = letters == letterCase::matters ? 1 : 0;
    const UINT32 count = patterns.getCount();
    for (UINT32 i = 0; i < count; ++i) {
        if (wildcardMatch(patterns.getAt(i).GetString(), text, caseSensitive) != 0)
            return true;
    }
    return false;
}

// A name that cannot be built (memory ran out, or narrow text that cannot be
// widened) is not filtered: a fixed answer, never the verdict of some other
// name such as the empty one.
constexpr int unbuiltNameVerdict = 0;

bool isSeparator(wchar_t c) noexcept
{
    return c == L':' || c == L'.';
}
} // namespace

MemoryData::MemoryData() = default;

MemoryData::~MemoryData() = default;

int MemoryData::loadProfilerTracingSettings(_profilerHookDebugData& out)
{
    productKeySession session(*this);
    if (!session.open(nullptr, keyAccess::read))
        return 0;
    // Missing values are the defaults, not failures.
    (void)readTracingValues(session.store(), profilerHookDebugData);
    copyTracingSettings(out, profilerHookDebugData);
    (void)session.close(nullptr); // the values were read; failed closes are in the failure log
    return 1;
}

int MemoryData::hasCollectorsAndFilters() const
{
    return (collectors.getCount() != 0 || classMethodFilters.getCount() != 0 || fileNameFilters.getCount() != 0)
               ? 1
               : 0;
}

int MemoryData::hasLineTimingFilters() const
{
    return lineTimingFilters.getCount() != 0 ? 1 : 0;
}

int MemoryData::isFileNameClassMethodFiltered(const char* fileName, int /*unused1*/, const char* className,
                                              const char* methodName, int /*unused2*/)
{
    if (classMethodFilters.getCount() != 0) {
        const widenedName name(className, methodName);
        if (name.get() == nullptr)
            return unbuiltNameVerdict;
        if (classVerdict(name.get()) != 0)
            return 1;
    }
    if (!fileFilterActive())
        return 0;
    const widenedName file(fileName);
    return file.get() != nullptr ? fileVerdict(file.get()) : unbuiltNameVerdict;
}

int MemoryData::isFileNameClassMethodFiltered(const wchar_t* fileName, int /*unused1*/, const wchar_t* className,
                                              const wchar_t* methodName, int /*unused2*/)
{
    if (classMethodFilters.getCount() != 0) {
        const composedName<wchar_t> name(className, methodName);
        if (name.get() == nullptr)
            return unbuiltNameVerdict;
        if (classVerdict(name.get()) != 0)
            return 1;
    }
    if (!fileFilterActive())
        return 0;
    return fileVerdict(fileName != nullptr ? fileName : L"");
}

int MemoryData::isLineTimingClassMethodFiltered(const char* className, const char* methodName, int /*unused*/)
{
    if (lineTimingFilters.getCount() == 0)
        return 0;
    const widenedName name(className, methodName);
    return name.get() != nullptr ? lineTimingVerdict(name.get()) : unbuiltNameVerdict;
}

int MemoryData::isLineTimingClassMethodFiltered(const wchar_t* className, const wchar_t* methodName,
                                                int /*unused*/)
{
    if (lineTimingFilters.getCount() == 0)
        return 0;
    const composedName<wchar_t> name(className, methodName);
    return name.get() != nullptr ? lineTimingVerdict(name.get()) : unbuiltNameVerdict;
}

int MemoryData::isLineTimingClassMethodFiltered(const wchar_t* name)
{
    if (name == nullptr)
        return 1;
    // "::Shape::Draw" also answers to the entry "Shape::Draw".
    const wchar_t* tail = (name[0] == L':' && name[1] == L':') ? name + 2 : nullptr;
    const UINT32 count = lineTimingFilters.getCount();
    if (count == 0)
        return 0;
    const listSense sense = lineTimingNameSense(lineTimingFilterMode);
    if (sense == listSense::off)
        return 0;
    const int hit = verdict(sense, true);
    const int miss = verdict(sense, false);
    for (UINT32 i = 0; i < count; ++i) {
        const stubString& entry = lineTimingFilters.getAt(i);
        if (entry.IsEmpty())
            continue;
        const wchar_t* text = entry.GetString();
        const wchar_t* found = std::wcsstr(name, text);
        if (found == nullptr)
            continue;
        if (isSeparator(text[entry.GetLength() - 1]))
            return hit;
        if (std::wcscmp(name, text) == 0)
            return hit;
        if (tail != nullptr && std::wcscmp(tail, text) == 0)
            return hit;
        // The first occurrence starts a component: whether it is the last
        // component decides the whole test.
        if (found != name && isSeparator(found[-1]))
            return std::wcscmp(found, text) == 0 ? hit : miss;
    }
    return miss;
}

int MemoryData::classVerdict(const wchar_t* composedName) const noexcept
{
    return verdict(classMethodSense(classMethodFilterMode),
                   anyEntryMatches(classMethodFilters, composedName, letterCase::matters));
}

int MemoryData::fileVerdict(const wchar_t* fileName) const noexcept
{
    return verdict(fileNameSense(fileNameFilterMode), anyEntryMatches(fileNameFilters, fileName, letterCase::ignored));
}

// The sense comes from the class/method mode, not from the line-timing one.
int MemoryData::lineTimingVerdict(const wchar_t* composedName) const noexcept
{
    return verdict(classMethodSense(classMethodFilterMode),
                   anyEntryMatches(lineTimingFilters, composedName, letterCase::matters));
}

bool MemoryData::fileFilterActive() const noexcept
{
    return fileNameFilters.getCount() != 0 && fileNameSense(fileNameFilterMode) != listSense::off;
}
