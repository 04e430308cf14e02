#include "settings/readWriteSettingsToRegistry.h"

#include "support/CWideString.h"
#include "storeFixture.h"
#include "support/stubString.h"
#include "testSupport/scratchRegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
std::string bytesOf(const void* data, std::size_t size)
{
    return std::string(static_cast<const char*>(data), size);
}

std::string terminatedBytes(const std::wstring& text)
{
    return bytesOf(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// One fixed-size operation pair: its value type, registry type and width.
#define KORVANEX_FIXED_OPERATION(Name, Type, RegType, ReadOp, WriteOp)                                           \
    struct Name                                                                                                  \
    {                                                                                                            \
        using type = Type;                                                                                       \
        static constexpr DWORD registryType = RegType;                                                           \
        static int read(readWriteSettings& s, const wchar_t* name, type& value) { return s.ReadOp(name, value); } \
        static int write(readWriteSettings& store, const wchar_t* logPath, const wchar_t* name, const type& value) \
        {                                                                                                        \
            return store.WriteOp(logPath, name, value);                                                          \
        }                                                                                                        \
    };

KORVANEX_FIXED_OPERATION(charOperation, char, REG_BINARY, readChar, writeChar)
KORVANEX_FIXED_OPERATION(uCharOperation, unsigned char, REG_BINARY, readUChar, writeUChar)
KORVANEX_FIXED_OPERATION(wideCharOperation, wchar_t, REG_BINARY, readWideChar, writeWideChar)
KORVANEX_FIXED_OPERATION(wordOperation, WORD, REG_DWORD, readWord, writeWord)
KORVANEX_FIXED_OPERATION(intOperation, int, REG_DWORD, readInt, writeInt)
KORVANEX_FIXED_OPERATION(uIntOperation, unsigned int, REG_DWORD, readUInt, writeUInt)
KORVANEX_FIXED_OPERATION(dwordOperation, DWORD, REG_DWORD, readDword, writeDword)
KORVANEX_FIXED_OPERATION(doubleOperation, double, REG_BINARY, readDouble, writeDouble)
KORVANEX_FIXED_OPERATION(uInt64Operation, UINT64, REG_DWORD, readUInt64, writeUInt64)
KORVANEX_FIXED_OPERATION(int64Operation, INT64, REG_DWORD, readInt64, writeInt64)
KORVANEX_FIXED_OPERATION(timeOperation, timeValue, REG_DWORD, readTime, writeTime)
KORVANEX_FIXED_OPERATION(binary8Operation, binary8Value, REG_BINARY, readBinary8, writeBinary8)
#undef KORVANEX_FIXED_OPERATION

template <typename Operation>
class fixedSizeValue : public storeFixture
{
protected:
    using type = typename Operation::type;
    static constexpr std::size_t width = sizeof(type);

    static type filled(unsigned char byte)
    {
        type value;
        std::memset(static_cast<void*>(&value), byte, width);
        return value;
    }
    // 0x11, 0x22, ... so that every byte position is told apart.
    static type pattern()
    {
        type value;
        for (std::size_t i = 0; i < width; ++i)
            reinterpret_cast<unsigned char*>(&value)[i] = static_cast<unsigned char>(0x11 * (i + 1));
        return value;
    }
    static std::string bytesOfValue(const type& value) { return bytesOf(&value, width); }
};

using fixedSizeOperations =
    ::testing::Types<charOperation, uCharOperation, wideCharOperation, wordOperation, intOperation, uIntOperation,
                     dwordOperation, doubleOperation, uInt64Operation, int64Operation, timeOperation,
                     binary8Operation>;
TYPED_TEST_SUITE(fixedSizeValue, fixedSizeOperations);

TYPED_TEST(fixedSizeValue, writeStoresTypeAndWidthAndReadsBack)
{
    const auto written = TestFixture::pattern();
    EXPECT_EQ(1, TypeParam::write(this->store, nullptr, L"value", written));

    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(this->scratch.queryRaw(L"value", type, data));
    EXPECT_EQ(TypeParam::registryType, type);
    EXPECT_EQ(TestFixture::bytesOfValue(written), data);

    auto read = TestFixture::filled(0xEE);
    EXPECT_EQ(1, TypeParam::read(this->store, L"value", read));
    EXPECT_EQ(TestFixture::bytesOfValue(written), TestFixture::bytesOfValue(read));
}

// Every registry type is read by every width as raw bytes; a shorter value
// fills only the leading bytes (a two-byte word read as an int keeps the upper
// two), even for string types, where the registry would otherwise add a
// terminator of its own.
TYPED_TEST(fixedSizeValue, anyTypeShorterOrEqualFillsOnlyLeadingBytes)
{
    const DWORD types[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ, REG_QWORD};
    const unsigned char stored[8] = {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48};
    for (const DWORD registryType : types) {
        for (std::size_t length = 0; length <= TestFixture::width; ++length) {
            this->scratch.setRaw(L"raw", registryType, stored, static_cast<DWORD>(length));
            auto value = TestFixture::filled(0xAA);
            EXPECT_EQ(1, TypeParam::read(this->store, L"raw", value)) << registryType << " " << length;

            std::string expected = bytesOf(stored, length);
            expected.append(TestFixture::width - length, static_cast<char>(0xAA));
            EXPECT_EQ(expected, TestFixture::bytesOfValue(value)) << "type " << registryType << ", " << length
                                                                   << " bytes";
        }
    }
}

TYPED_TEST(fixedSizeValue, longerOrMissingValueFailsAndKeepsTheVariable)
{
    const std::string longer(TestFixture::width + 1, '\x5A');
    this->scratch.setRaw(L"long", REG_BINARY, longer.data(), static_cast<DWORD>(longer.size()));
    // Eight bytes is how the 64-bit writes store REG_DWORD: too long for narrower reads.
    const std::string longDword(TestFixture::width < 8 ? 8 : TestFixture::width + 1, '\x5C');
    this->scratch.setRaw(L"longDword", REG_DWORD, longDword.data(), static_cast<DWORD>(longDword.size()));
    const std::string huge(100000, '\x5B');
    this->scratch.setRaw(L"huge", REG_SZ, huge.data(), static_cast<DWORD>(huge.size()));

    for (const wchar_t* name : {L"long", L"longDword", L"huge", L"missing"}) {
        auto value = TestFixture::filled(0xAA);
        EXPECT_EQ(0, TypeParam::read(this->store, name, value));
        EXPECT_EQ(TestFixture::bytesOfValue(TestFixture::filled(0xAA)), TestFixture::bytesOfValue(value));
    }
}

TYPED_TEST(fixedSizeValue, nullKeyAndReadOnlyKeyFail)
{
    auto value = TestFixture::filled(0xAA);
    EXPECT_EQ(0, TypeParam::read(this->unbound, L"value", value));
    EXPECT_EQ(TestFixture::bytesOfValue(TestFixture::filled(0xAA)), TestFixture::bytesOfValue(value));
    EXPECT_EQ(0, TypeParam::write(this->unbound, nullptr, L"value", value));

    EXPECT_EQ(0, TypeParam::write(this->reader, nullptr, L"value", value));
    EXPECT_FALSE(this->scratch.exists(L"value"));
}

using storeSingleValues = storeFixture;

TEST_F(storeSingleValues, stringWritesStoreTheirTerminatedText)
{
    ASSERT_EQ(1, store.writeString(nullptr, L"empty", CWideString(L"")));
    EXPECT_EQ(terminatedBytes(L""), raw(L"empty", REG_SZ));
    ASSERT_EQ(1, store.writeString(nullptr, L"text", CWideString(L"C:\\logs\\ui.log")));
    EXPECT_EQ(terminatedBytes(L"C:\\logs\\ui.log"), raw(L"text", REG_SZ));
    ASSERT_EQ(1, store.writeStubString(nullptr, L"stub", stubString(L"stub text")));
    EXPECT_EQ(terminatedBytes(L"stub text"), raw(L"stub", REG_SZ));

    // The narrow name is widened for the wide registry call.
    ASSERT_EQ(1, store.writeStubStringA(nullptr, "narrowName", stubString(L"abc")));
    EXPECT_EQ(terminatedBytes(L"abc"), raw(L"narrowName", REG_SZ));

    // The narrow registry call widens narrow text; a null text is 0 bytes.
    ASSERT_EQ(1, store.writeStringA(nullptr, "ansi", "xyz"));
    EXPECT_EQ(terminatedBytes(L"xyz"), raw(L"ansi", REG_SZ));
    ASSERT_EQ(1, store.writeStringA(nullptr, "nullText", nullptr));
    EXPECT_EQ("", raw(L"nullText", REG_SZ));

    CWideString read(L"preset");
    EXPECT_EQ(1, store.readString(L"empty", read));
    EXPECT_TRUE(read.IsEmpty());
}

// The registry would extend unterminated REG_SZ data by the terminator that
// follows it in the caller's buffer; the store keeps the length given.
TEST_F(storeSingleValues, stringBufferWriteStoresExactlyTheGivenLength)
{
    const wchar_t terminated[] = L"abc";
    ASSERT_EQ(1, store.writeStringBuffer(nullptr, L"three", terminated, 3));
    EXPECT_EQ(bytesOf(terminated, 6), raw(L"three", REG_SZ));
    ASSERT_EQ(1, store.writeStringBuffer(nullptr, L"four", terminated, 4));
    EXPECT_EQ(bytesOf(terminated, 8), raw(L"four", REG_SZ));
    ASSERT_EQ(1, store.writeStringBuffer(nullptr, L"none", terminated, 0));
    EXPECT_EQ("", raw(L"none", REG_SZ));

    // Long text goes through a heap copy.
    std::wstring longText(1000, L'L');
    longText += L'\0';
    ASSERT_EQ(1, store.writeStringBuffer(nullptr, L"long", longText.c_str(), 1000));
    EXPECT_EQ(bytesOf(longText.c_str(), 2000), raw(L"long", REG_SZ));
    ASSERT_EQ(1, store.writeStringBuffer(nullptr, L"longTerminated", longText.c_str(), 1001));
    EXPECT_EQ(bytesOf(longText.c_str(), 2002), raw(L"longTerminated", REG_SZ));

    EXPECT_EQ(0, store.writeStringBuffer(nullptr, L"null", nullptr, 3));
    EXPECT_FALSE(scratch.exists(L"null"));
    EXPECT_EQ(1, store.writeStringBuffer(nullptr, L"nullEmpty", nullptr, 0));
    EXPECT_EQ("", raw(L"nullEmpty", REG_SZ));
}

TEST_F(storeSingleValues, stringReadsOfEveryLength)
{
    for (const std::size_t length : {0u, 1u, 259u, 260u, 261u, 300u, 100000u}) {
        std::wstring text(length, L'x');
        for (std::size_t i = 0; i < length; ++i)
            text[i] = static_cast<wchar_t>(L'a' + i % 26);
        ASSERT_EQ(1, store.writeString(nullptr, L"text", CWideString(text.c_str())));

        CWideString framework(L"preset");
        EXPECT_EQ(1, store.readString(L"text", framework)) << length;
        EXPECT_EQ(text, std::wstring(framework.GetString(), static_cast<std::size_t>(framework.GetLength())));

        stubString stub(L"preset");
        EXPECT_EQ(1, store.readStubString(L"text", stub)) << length;
        EXPECT_EQ(text, std::wstring(stub.GetString(), stub.GetLength()));

        stubString narrow(L"preset");
        EXPECT_EQ(1, store.readStubStringA("text", narrow)) << length;
        EXPECT_EQ(text, std::wstring(narrow.GetString(), narrow.GetLength()));
    }
}

TEST_F(storeSingleValues, missingValueOrNullKeyLeavesStringsUntouched)
{
    readWriteSettings* const both[] = {&store, &unbound};
    for (readWriteSettings* settings : both) {
        CWideString framework(L"keep");
        EXPECT_EQ(0, settings->readString(L"missing", framework));
        EXPECT_EQ(framework, L"keep");
        stubString stub(L"keep");
        EXPECT_EQ(0, settings->readStubString(L"missing", stub));
        EXPECT_TRUE(stub == L"keep");
        EXPECT_EQ(0, settings->readStubStringA("missing", stub));
        EXPECT_TRUE(stub == L"keep");
    }
    wchar_t buffer[8] = L"keep";
    EXPECT_EQ(0, unbound.readStringBuffer(L"missing", buffer, 8));
    EXPECT_STREQ(L"keep", buffer);

    // A failed buffer read empties the buffer.
    EXPECT_EQ(0, store.readStringBuffer(L"missing", buffer, 8));
    EXPECT_STREQ(L"", buffer);
}

// Another program can store any bytes: the text always ends within them.
TEST_F(storeSingleValues, unterminatedOddAndForeignDataReadAsBoundedText)
{
    const wchar_t letters[] = L"abcdefgh";
    scratch.setRaw(L"unterminated", REG_SZ, letters, 6);
    scratch.setRaw(L"odd", REG_SZ, letters, 7);
    scratch.setRaw(L"binary", REG_BINARY, letters, 8);
    const std::wstring longText(400, L'q');
    scratch.setRaw(L"longUnterminated", REG_SZ, longText.data(), 800);
    scratch.setRaw(L"longOdd", REG_BINARY, longText.data(), 801 - 2);
    scratch.setRaw(L"embedded", REG_SZ, L"ab\0cd", 10);

    struct expectation
    {
        const wchar_t* name;
        std::wstring text;
    };
    const expectation cases[] = {{L"unterminated", L"abc"},         {L"odd", L"abc"},
                                 {L"binary", L"abcd"},              {L"longUnterminated", longText},
                                 {L"longOdd", std::wstring(399, L'q')}, {L"embedded", L"ab"}};
    for (const expectation& item : cases) {
        CWideString framework;
        EXPECT_EQ(1, store.readString(item.name, framework)) << item.name;
        EXPECT_EQ(item.text, std::wstring(framework.GetString(), static_cast<std::size_t>(framework.GetLength())))
            << item.name;
        stubString stub;
        EXPECT_EQ(1, store.readStubString(item.name, stub)) << item.name;
        EXPECT_EQ(item.text, std::wstring(stub.GetString(), stub.GetLength())) << item.name;
    }

    wchar_t buffer[4];
    EXPECT_EQ(1, store.readStringBuffer(L"unterminated", buffer, 4));
    EXPECT_STREQ(L"abc", buffer);
    EXPECT_EQ(1, store.readStringBuffer(L"odd", buffer, 4));
    EXPECT_STREQ(L"abc", buffer);
    // Four characters without a terminator fill the buffer: no room to end.
    wmemset(buffer, L'z', 4);
    EXPECT_EQ(0, store.readStringBuffer(L"binary", buffer, 4));
    EXPECT_EQ(L'\0', buffer[0]);
}

TEST_F(storeSingleValues, stringBufferReadsEndInsideTheCapacity)
{
    ASSERT_EQ(1, store.writeString(nullptr, L"three", CWideString(L"abc")));
    wchar_t buffer[8];
    EXPECT_EQ(1, store.readStringBuffer(L"three", buffer, 4)); // terminator fills the last slot
    EXPECT_STREQ(L"abc", buffer);
    wmemset(buffer, L'z', 8);
    EXPECT_EQ(0, store.readStringBuffer(L"three", buffer, 3));
    EXPECT_EQ(L'\0', buffer[0]);
    EXPECT_EQ(L'z', buffer[3]); // nothing written past the capacity

    // Null buffer or no capacity: nothing to write into.
    EXPECT_EQ(0, store.readStringBuffer(L"three", nullptr, 8));
    buffer[0] = L'k';
    EXPECT_EQ(0, store.readStringBuffer(L"three", buffer, 0));
    EXPECT_EQ(L'k', buffer[0]);
}

TEST_F(storeSingleValues, narrowBufferReadsEndInsideTheCapacity)
{
    ASSERT_EQ(1, store.writeStringA(nullptr, "ansi", "abc"));
    char buffer[8];
    EXPECT_EQ(1, store.readStringA("ansi", buffer, 4));
    EXPECT_STREQ("abc", buffer);
    std::memset(buffer, 'z', sizeof(buffer));
    EXPECT_EQ(0, store.readStringA("ansi", buffer, 3));
    EXPECT_EQ('\0', buffer[0]);
    EXPECT_EQ('z', buffer[3]);

    // Binary data is handed over as it is: four bytes do not fit four.
    scratch.setRaw(L"bytes", REG_BINARY, "wxyz", 4);
    std::memset(buffer, 'z', sizeof(buffer));
    EXPECT_EQ(0, store.readStringA("bytes", buffer, 4));
    EXPECT_EQ('\0', buffer[0]);
    EXPECT_EQ(1, store.readStringA("bytes", buffer, 5));
    EXPECT_STREQ("wxyz", buffer);

    EXPECT_EQ(0, store.readStringA("ansi", nullptr, 8));
    buffer[0] = 'k';
    EXPECT_EQ(0, store.readStringA("ansi", buffer, 0));
    EXPECT_EQ('k', buffer[0]);
    EXPECT_EQ(0, store.readStringA("missing", buffer, 8));
    EXPECT_EQ('\0', buffer[0]);
}

TEST_F(storeSingleValues, stringWritesWithoutAKeyOrThroughAReadOnlyKeyFail)
{
    readWriteSettings* const both[] = {&reader, &unbound};
    for (readWriteSettings* settings : both) {
        EXPECT_EQ(0, settings->writeString(nullptr, L"a", CWideString(L"a")));
        EXPECT_EQ(0, settings->writeStubString(nullptr, L"a", stubString(L"a")));
        EXPECT_EQ(0, settings->writeStubStringA(nullptr, "a", stubString(L"a")));
        EXPECT_EQ(0, settings->writeStringA(nullptr, "a", "a"));
        EXPECT_EQ(0, settings->writeStringBuffer(nullptr, L"a", L"a", 2));
    }
    EXPECT_FALSE(scratch.exists(L"a"));
}

TEST_F(storeSingleValues, destroyingTheStoreLeavesTheBorrowedKeyOpen)
{
    {
        readWriteSettingsToRegistry shortLived(scratch.get());
        EXPECT_EQ(1, shortLived.writeInt(nullptr, L"kept", 5));
        EXPECT_EQ(1, shortLived.noOp());
    }
    int value = 0;
    EXPECT_EQ(1, store.readInt(L"kept", value));
    EXPECT_EQ(5, value);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyW(scratch.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr));
}
} // namespace
