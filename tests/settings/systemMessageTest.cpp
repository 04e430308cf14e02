#include "settings/systemMessage.h"

#include "testSupport/failureLogFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
// Inuktitut (Canada): systems hold no texts of their own in it, so the system
// refuses it as it refuses a user's language whose texts are not installed
// (with whichever code that system gives for it).
constexpr DWORD languageWithoutTexts = 0x045D;

// The failure log's fixture, for its English texts.
using systemMessageTest = failureLogTest;

TEST_F(systemMessageTest, aLanguageWithoutTextsFallsBackToTheSystemsOwnOrder)
{
    if (!isEnglishSystem())
        GTEST_SKIP() << "the texts are written out in English";
    char* refused = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                                        ERROR_ACCESS_DENIED, languageWithoutTexts, reinterpret_cast<char*>(&refused), 0,
                                        nullptr);
    const uniqueLocalMemory owned(refused);
    if (length != 0)
        GTEST_SKIP() << "this system holds texts in language " << languageWithoutTexts;
    for (const DWORD language : {systemMessage<char>::userDefaultLanguage, languageWithoutTexts}) {
        const systemMessage<char> text(ERROR_ACCESS_DENIED, language);
        ASSERT_NE(nullptr, text.text()) << language;
        EXPECT_TRUE(isEnglishAccessDenied(text.text())) << text.text();
        // Both widths take the same way; the wide text is the same words.
        const systemMessage<wchar_t> wide(ERROR_ACCESS_DENIED, language);
        ASSERT_NE(nullptr, wide.text()) << language;
        EXPECT_EQ(std::wstring(text.text(), text.text() + std::strlen(text.text())), wide.text());
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
