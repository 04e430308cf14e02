#pragma once

// One caller's use of the shared settings DLL, compiled twice: by our
// compiler into sharedConsumerTests and by a Microsoft-ABI front end into
// microsoftConsumer.exe. Both write what they see as text; the two texts
// must be equal. Win32 and the public header only: the Microsoft-built
// program has no C++ runtime library (it links kernel32 and user32).
#include "shared/sharedSettings.h"
// By its path: the Microsoft-built caller has only the package's include folder.
#include "../testSupport/handleCount.h"
#include "../testSupport/widened.h"

#include <windows.h>

namespace consumerScenario
{
// A fixed text buffer: no allocation, no runtime library.
struct report
{
    char text[8192];
    int length = 0;

    void put(const char* s)
    {
        while (*s != '\0' && length < static_cast<int>(sizeof(text)) - 1)
            text[length++] = *s++;
        text[length] = '\0';
    }
    void put(const wchar_t* s)
    {
        for (; *s != L'\0' && length < static_cast<int>(sizeof(text)) - 1; ++s)
            text[length++] = *s < 0x80 ? static_cast<char>(*s) : '?';
        text[length] = '\0';
    }
    void put(long long value)
    {
        char digits[16];
        wsprintfA(digits, "%d", static_cast<int>(value)); // every value written fits an int
        put(digits);
    }
    template <typename Value>
    void line(const char* key, Value value)
    {
        put(key);
        put(" ");
        put(value);
        put("\n");
    }
};

// Field offsets whatever the field's access: an explicit instantiation may
// name a private member, and hands its pointer out through a friend.
template <typename Tag, typename Tag::type member>
struct exposeMember
{
    friend typename Tag::type memberPointer(Tag) { return member; }
};

#define KORVANEX_LAYOUT_FIELDS(X)                                                                                    \
    X(stubString, text, wchar_t*) X(stubString, length, UINT32) X(stubString, capacity, UINT32)                      \
    X(stubStringList, items, stubString*) X(stubStringList, count, UINT32) X(stubStringList, capacity, UINT32)       \
    X(SettingData, otherKey1, HKEY) X(SettingData, otherKey2, HKEY) X(SettingData, softwareKey, HKEY)                \
    X(SettingData, otherKey3, HKEY) X(SettingData, makerKey, HKEY) X(SettingData, productKey, HKEY)                  \
    X(SettingData, settingsLock, stubCriticalSection) X(SettingDataQexal, memoryMappedFileHasBeenOpened, int)        \
    X(SettingDataKorvane, memoryMappedFileHasBeenOpenedFunctions, int) X(MemoryData, collectors, stubStringList)     \
    X(MemoryData, classMethodFilterMode, int) X(MemoryData, classMethodFilters, stubStringList)                      \
    X(MemoryData, lineTimingFilterMode, int) X(MemoryData, lineTimingFilters, stubStringList)                        \
    X(MemoryData, fileNameFilterMode, int) X(MemoryData, fileNameFilters, stubStringList)                            \
    X(MemoryData, profilerHookDebugData, _profilerHookDebugData)

#define KORVANEX_EXPOSE_FIELD(Class, field, Type)                                                                    \
    struct Class##_##field                                                                                           \
    {                                                                                                                \
        using type = Type Class::*;                                                                                  \
        friend type memberPointer(Class##_##field);                                                                  \
    };                                                                                                               \
    template struct exposeMember<Class##_##field, &Class::field>;
KORVANEX_LAYOUT_FIELDS(KORVANEX_EXPOSE_FIELD)

template <typename Class, typename Type>
long long offsetOf(Type Class::*member)
{
    // Never constructed: only addresses within it are taken.
    alignas(Class) static unsigned char storage[sizeof(Class)];
    Class* object = reinterpret_cast<Class*>(storage);
    return reinterpret_cast<unsigned char*>(&(object->*member)) - storage;
}

// The _profilerHookDebugData fields are checked by its own header, in every
// compiler that reads it.
inline void writeLayout(report& out)
{
#define KORVANEX_TYPE_LAYOUT(Type)                                                                                   \
    out.line("sizeof " #Type, static_cast<long long>(sizeof(Type)));                                                \
    out.line("alignof " #Type, static_cast<long long>(alignof(Type)));
    KORVANEX_TYPE_LAYOUT(MemoryData) KORVANEX_TYPE_LAYOUT(SettingDataQexal) KORVANEX_TYPE_LAYOUT(SettingDataKorvane)
    KORVANEX_TYPE_LAYOUT(SettingData) KORVANEX_TYPE_LAYOUT(_profilerHookDebugData)
    KORVANEX_TYPE_LAYOUT(stubStringList) KORVANEX_TYPE_LAYOUT(stubString)
#undef KORVANEX_TYPE_LAYOUT
#define KORVANEX_FIELD_OFFSET(Class, field, Type)                                                                    \
    out.line("offset " #Class "::" #field, offsetOf(memberPointer(Class##_##field{})));
    KORVANEX_LAYOUT_FIELDS(KORVANEX_FIELD_OFFSET)
#undef KORVANEX_FIELD_OFFSET
}

// The filter tests, over lists that the caller filled through the DLL.
struct filterCall
{
    const char* fileName;
    const char* className;
    const char* methodName;
    const wchar_t* name;
};

constexpr filterCall filterCalls[] = {
    {"main.c", "Shape", "Draw", L"Shape::Draw"},   {"main.cpp", "App", "Run", L"App::Shape::Draw"},
    {"x.h", nullptr, "Draw", L"Draw"},             {nullptr, "App", nullptr, nullptr},
    {"lib.CPP", "Shape", "", L"::Shape::Draw"},    {"", "", "Draw", L"Dra"},
};

inline void writeFilterAnswers(report& out, MemoryData& memory)
{
    out.line("hasCollectorsAndFilters", memory.hasCollectorsAndFilters());
    out.line("hasLineTimingFilters", memory.hasLineTimingFilters());
    for (const filterCall& call : filterCalls) {
        const widened file(call.fileName);
        const widened className(call.className);
        const widened method(call.methodName);
        out.line("fileNarrow",
                 memory.isFileNameClassMethodFiltered(call.fileName, 0, call.className, call.methodName, 0));
        out.line("fileWide", memory.isFileNameClassMethodFiltered(file.get, 0, className.get, method.get, 0));
        out.line("lineNarrow", memory.isLineTimingClassMethodFiltered(call.className, call.methodName, 0));
        out.line("lineWide", memory.isLineTimingClassMethodFiltered(className.get, method.get, 0));
        out.line("lineName", memory.isLineTimingClassMethodFiltered(call.name));
    }
}

inline void writeFilters(report& out)
{
    MemoryData* memory = new MemoryData;
    writeFilterAnswers(out, *memory);
    memory->classMethodFilters.add(L"Shape::*");
    memory->fileNameFilters.add(L"*.CPP");
    memory->fileNameFilterMode = 1;
    memory->lineTimingFilters.add(L"*::Draw");
    memory->lineTimingFilters.add(L"Shape::");
    memory->lineTimingFilterMode = 2;
    writeFilterAnswers(out, *memory);
    memory->classMethodFilterMode = 2;
    memory->lineTimingFilters.removeAll();
    memory->lineTimingFilters.add(L"Draw");
    memory->lineTimingFilterMode = 1;
    writeFilterAnswers(out, *memory);
    delete memory;
}

// The flag and tracing members on objects shared by several threads. The
// product key holds the values the test set before.
struct registryObjects
{
    SettingDataQexal writer;
    SettingDataQexal reader;
    SettingDataKorvane korvane;
    MemoryData memory;
    _profilerHookDebugData first{};
    _profilerHookDebugData second{};
    LONG failures = 0;

    void callAll()
    {
        const int results[] = {writer.writeMemoryMappedFileHasBeenOpened(nullptr, 1, 0),
                               reader.readMemoryMappedFileHasBeenOpened(nullptr),
                               korvane.readMemoryMappedFileHasBeenOpened(nullptr),
                               memory.loadProfilerTracingSettings(first),
                               memory.loadProfilerTracingSettings(second)};
        for (int result : results)
            if (result != 1)
                InterlockedIncrement(&failures);
    }
    static DWORD WINAPI callAllTenTimes(void* objects)
    {
        for (int round = 0; round < 10; ++round)
            static_cast<registryObjects*>(objects)->callAll();
        return 0;
    }
};

inline void writeRegistry(report& out)
{
    constexpr int threadCount = 4;
    registryObjects objects;
    objects.writer.memoryMappedFileHasBeenOpened = 7;
    objects.callAll(); // whatever the process keeps for good is set up now
    const long long before = handleCount();
    HANDLE threads[threadCount] = {};
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, registryObjects::callAllTenTimes, &objects, 0, nullptr);
    out.line("threadsDone", static_cast<long long>(WaitForMultipleObjects(threadCount, threads, TRUE, 60000)));
    for (HANDLE thread : threads)
        CloseHandle(thread);
    out.line("handlesLeft", handleCount() - before);
    out.line("failures", static_cast<long long>(objects.failures));
    out.line("qexalRead", objects.reader.memoryMappedFileHasBeenOpened);
    out.line("korvaneRead", objects.korvane.memoryMappedFileHasBeenOpenedFunctions);
    const _profilerHookDebugData* const records[] = {&objects.first, &objects.second};
    for (const _profilerHookDebugData* record : records) {
        out.line("phiBreakpointLogFile", record->phiBreakpointLogFile);
        out.line("phiTrackFunctionHooking", record->phiTrackFunctionHooking);
        out.line("phiTrackDotNetProfiler", record->phiTrackDotNetProfiler);
    }
}

inline void writeAll(report& out)
{
    writeLayout(out);
    writeFilters(out);
    writeRegistry(out);
}
} // namespace consumerScenario
