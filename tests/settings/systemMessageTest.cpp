#include "settings/systemMessage.h"

#include "testSupport/failureLogFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// Inuktitut (Canada): a language for which systems hold no texts of their
// own, so the system refuses it (ERROR_RESOURCE_LANG_NOT_FOUND) as it
// refuses a user's language whose texts are not installed.
constexpr DWORD languageWithoutTexts = 0x045D;

std::string ascii(const wchar_t* text)
{
    std::string narrow;
    for (; *text != L'\0'; ++text)
        narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
    return narrow;
}

bool systemRefusesTheLanguage()
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                                        ERROR_ACCESS_DENIED, languageWithoutTexts, reinterpret_cast<wchar_t*>(&text), 0,
                                        nullptr);
    const DWORD error = GetLastError();
    const uniqueLocalMemory owned(text);
    return length == 0 && error == ERROR_RESOURCE_LANG_NOT_FOUND;
}

// The failure log's fixture, for its English texts.
using systemMessageTest = failureLogTest;

TEST_F(systemMessageTest, aLanguageWithoutTextsFallsBackToTheSystemsOwnOrder)
{
    if (!isEnglishSystem())
        GTEST_SKIP() << "the texts are written out in English";
    if (!systemRefusesTheLanguage())
        GTEST_SKIP() << "this system holds texts in language " << languageWithoutTexts;
    for (const DWORD language : {systemMessage<char>::userDefaultLanguage, languageWithoutTexts}) {
        SCOPED_TRACE(language);
        const systemMessage<char> narrow(ERROR_ACCESS_DENIED, language);
        const systemMessage<wchar_t> wide(ERROR_ACCESS_DENIED, language);
        ASSERT_NE(nullptr, narrow.text());
        ASSERT_NE(nullptr, wide.text());
        EXPECT_TRUE(isEnglishAccessDenied(narrow.text())) << narrow.text();
        EXPECT_TRUE(isEnglishAccessDenied(ascii(wide.text()))) << ascii(wide.text());
    }
}

TEST(systemMessage, aCodeWithoutTextHasNoneInAnyLanguage)
{
    for (const DWORD language : {systemMessage<char>::userDefaultLanguage, languageWithoutTexts}) {
        EXPECT_EQ(nullptr, systemMessage<char>(0x2FFFFFFF, language).text()) << language;
        EXPECT_EQ(nullptr, systemMessage<wchar_t>(0x2FFFFFFF, language).text()) << language;
    }
}
} // namespace
