// Links nothing of the settings code but the shared settings DLL's import
// library: every call below crosses into the DLL.
#include "shared/sharedSettings.h"

#include "consumerScenario.h"
#include "testSupport/winePath.h"
#include "support/uniqueHandle.h"
#include "testSupport/productKeyFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{
class sharedSettingsConsumer : public testing::Test
{
protected:
    productKeyFixture backup;
};

template <typename Function>
Function exported(HMODULE module, const char* name)
{
    // Through the generic function type, which any function pointer may take.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Runs a program and returns what it wrote to its standard output.
std::string standardOutputOf(const std::wstring& program, DWORD& exitCode)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    uniqueKernelHandle readEnd;
    uniqueKernelHandle writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inheritable, 0))
        return {};
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started))
        return {};
    const uniqueKernelHandle process(started.hProcess);
    const uniqueKernelHandle thread(started.hThread);
    writeEnd.reset();
    std::string output;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd.get(), buffer, sizeof(buffer), &read, nullptr) && read != 0)
        output.append(buffer, read);
    WaitForSingleObject(process.get(), 60000);
    GetExitCodeProcess(process.get(), &exitCode);
    return output;
}
} // namespace

// Microsoft's constructors hand the object back in RAX, and a caller may
// use that rather than its own pointer: each must return the storage it was
// given, holding a built object that Microsoft's destructor then ends.
TEST_F(sharedSettingsConsumer, microsoftConstructorsReturnTheObjectTheyBuilt)
{
    struct lifetime
    {
        const char* constructorName;
        const char* destructorName;
        bool (*built)(void* object);
    };
    const lifetime lifetimes[] = {
        {"??0MemoryData@@QEAA@XZ", "??1MemoryData@@QEAA@XZ",
         [](void* object) {
             auto* memory = static_cast<MemoryData*>(object);
             return memory->hasCollectorsAndFilters() == 0 && memory->classMethodFilters.add(L"Shape::*") == 1 &&
                    memory->hasCollectorsAndFilters() == 1;
         }},
        {"??0SettingDataQexal@@QEAA@XZ", "??1SettingDataQexal@@QEAA@XZ",
         [](void* object) { return static_cast<SettingDataQexal*>(object)->memoryMappedFileHasBeenOpened == 0; }},
        {"??0SettingDataKorvane@@QEAA@XZ", "??1SettingDataKorvane@@QEAA@XZ",
         [](void* object) {
             return static_cast<SettingDataKorvane*>(object)->memoryMappedFileHasBeenOpenedFunctions == 0;
         }},
    };
    const HMODULE dll = GetModuleHandleW(L"korSharedSettings.dll");
    ASSERT_NE(nullptr, dll);
    alignas(MemoryData) unsigned char storage[sizeof(MemoryData)];
    for (const lifetime& each : lifetimes) {
        const auto construct = exported<void* (*)(void*)>(dll, each.constructorName);
        const auto destroy = exported<void (*)(void*)>(dll, each.destructorName);
        ASSERT_NE(nullptr, reinterpret_cast<void*>(construct)) << each.constructorName;
        ASSERT_NE(nullptr, reinterpret_cast<void*>(destroy)) << each.destructorName;
        std::memset(storage, 0xCC, sizeof(storage));
        EXPECT_EQ(static_cast<void*>(storage), construct(storage)) << each.constructorName;
        EXPECT_TRUE(each.built(storage)) << each.constructorName;
        destroy(storage);
    }
}

// A program built for Microsoft's ABI against the installed package owns its
// objects, fills their lists and calls every member from several threads; it
// must see exactly what this program sees through the same calls.
// Each member's own results are checked on the same objects, linked in, by
// sharedRegistryTests.
TEST_F(sharedSettingsConsumer, aMicrosoftBuiltCallerSeesWhatWeSee)
{
    productKeyFixture::setText(L"phiBreakpointLogFile", L"D:\\ms.log");
    productKeyFixture::setDword(L"phiTrackFunctionHooking", 5);
    productKeyFixture::setDword(L"phiTrackDotNetProfiler", 6);
    productKeyFixture::setDword(L"memoryMappedFileHasBeenOpenedFunctions", 3);

    auto ours = std::make_unique<consumerScenario::report>();
    consumerScenario::writeAll(*ours);
    const std::string expected = ours->text;
    const char* const mustSee[] = {
        "\nfailures 0\n", "\nhandlesLeft 0\n", "\nqexalRead 7\n", "\nkorvaneRead 3\n",
        "\nphiBreakpointLogFile D:\\ms.log\nphiTrackFunctionHooking 5\nphiTrackDotNetProfiler 6\n"};
    for (const char* line : mustSee)
        EXPECT_NE(std::string::npos, expected.find(line)) << line << " not in:\n" << expected;

    DWORD exitCode = 1;
    const std::string theirs = standardOutputOf(windowsPathOf(KORVANEX_MICROSOFT_CONSUMER_PATH), exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(expected, theirs);
}
