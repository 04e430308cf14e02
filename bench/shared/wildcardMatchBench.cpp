// The filters' wildcard matcher against the shell's PathMatchSpecW and a
// plain recursive matcher on typical class::method and file names, and its
// growth with the text length on the worst shapes of pattern.
#include "benchTimer.h"
#include "shared/wildcardMatch.h"

#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// The textbook matcher with the same rules: every '*' tries every split.
wchar_t lowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 0x20) : c;
}

int recursiveMatch(const wchar_t* pattern, const wchar_t* text, bool caseSensitive)
{
    if (*pattern == L'\0')
        return *text == L'\0';
    if (*pattern == L'*')
        return recursiveMatch(pattern + 1, text, caseSensitive) ||
               (*text != L'\0' && recursiveMatch(pattern, text + 1, caseSensitive));
    if (*text == L'\0')
        return 0;
    const bool same = caseSensitive ? *pattern == *text : lowerAscii(*pattern) == lowerAscii(*text);
    if (same || (*pattern == L'?' && *text != L'.'))
        return recursiveMatch(pattern + 1, text + 1, caseSensitive);
    return 0;
}

struct workload
{
    const char* what;
    std::vector<const wchar_t*> patterns;
    std::vector<const wchar_t*> texts;
    int caseSensitive;
    const char* target;
};

const workload classNames{
    "class::method names",
    {L"Shape::*", L"*::Draw", L"CqxGUI*::On*", L"*Document*", L"std::*", L"*::push_?ack", L"App::*::Save",
     L"*Dlg::*Init*"},
    {L"Shape::Draw", L"CqxGUILogControllerDlg::OnInitDialog", L"std::vector<int>::push_back",
     L"App::Document::Save", L"Object::Run", L"CIndexedFileDialog::OnFileNameChange",
     L"readWriteSettingsToRegistry::readStringBuffer", L"MemoryData::loadProfilerTracingSettings"},
    1,
    "<= 0.20x",
};

const workload fileNames{
    "file names",
    {L"*.cpp", L"*\\APP\\*.CPP", L"*.h", L"C:\\SRC\\*", L"*dlg*.cpp", L"*\\include\\*", L"main.?pp", L"*test*"},
    {L"C:\\src\\korvanex\\app\\CqxGUILogControllerDlg.cpp", L"d:\\build\\mingw\\include\\c++\\vector",
     L"main.cpp", L"C:\\Src\\korvanex\\shared\\MemoryData.h", L"\\\\server\\share\\tests\\filterTest.cpp",
     L"e:\\work\\support\\stubString.CPP", L"relative\\path\\file.hpp", L"C:\\src\\x.c"},
    0,
    "<= 0.20x",
};

// Letters beyond ASCII take the system's case mapping when they differ.
const workload nonAsciiFileNames{
    "non-ASCII file names",
    {L"*\\\u041F\u0420\u041E\u0415\u041A\u0422\\*.CPP", L"*\u0100*", L"*.cpp", L"*\\\u00C9T\u00C9\\*"},
    {L"C:\\Users\\\u0101dam\\\u043f\u0440\u043e\u0435\u043a\u0442\\\u0444\u0430\u0439\u043b.cpp",
     L"D:\\\u00e9t\u00e9\\r\u00e9sum\u00e9.h", L"E:\\\u03a3\u03c0\u03af\u03c4\u03b9\\main.cpp"},
    0,
    "report only",
};

// Loops over every pattern and text pair; the sum keeps the work alive.
template <typename Matcher>
long long matchAll(const workload& load, Matcher&& matcher)
{
    long long hits = 0;
    for (const wchar_t* pattern : load.patterns)
        for (const wchar_t* text : load.texts)
            hits += matcher(pattern, text);
    return hits;
}

void compareTypical(const workload& load)
{
    const double pairs = static_cast<double>(load.patterns.size() * load.texts.size());
    const bool caseSensitive = load.caseSensitive != 0;
    volatile long long sink = 0;
    const long ours = static_cast<long>(matchAll(load, [&](const wchar_t* p, const wchar_t* t) {
        return wildcardMatch(p, t, load.caseSensitive);
    }));
    const long plain = static_cast<long>(
        matchAll(load, [&](const wchar_t* p, const wchar_t* t) { return recursiveMatch(p, t, caseSensitive); }));
    std::printf("%s: %ld of %.0f pairs match (recursive matcher, ASCII case only: %ld)\n", load.what, ours, pairs, plain);

    constexpr long iterations = 2000;
    double shellNs = 0;
    double oursNs = 0;
    benchTimer::ratio(
        [&] { sink = sink + matchAll(load, [](const wchar_t* p, const wchar_t* t) { return PathMatchSpecW(t, p) ? 1 : 0; }); },
        [&] {
            sink = sink + matchAll(load, [&](const wchar_t* p, const wchar_t* t) {
                       return wildcardMatch(p, t, load.caseSensitive);
                   });
        },
        iterations, shellNs, oursNs);
    std::string what = std::string("wildcardMatch vs PathMatchSpecW, ") + load.what + ", ns/match";
    benchTimer::report(what.c_str(), shellNs / pairs, oursNs / pairs, load.target);

    double plainNs = 0;
    benchTimer::ratio(
        [&] {
            sink = sink + matchAll(load, [&](const wchar_t* p, const wchar_t* t) {
                       return recursiveMatch(p, t, caseSensitive);
                   });
        },
        [&] {
            sink = sink + matchAll(load, [&](const wchar_t* p, const wchar_t* t) {
                       return wildcardMatch(p, t, load.caseSensitive);
                   });
        },
        iterations, plainNs, oursNs);
    what = std::string("wildcardMatch vs recursive matcher, ") + load.what + ", ns/match";
    benchTimer::report(what.c_str(), plainNs / pairs, oursNs / pairs, "report only");
}

// Time for a tenfold text against the time for the text itself. Short and
// long rounds alternate, and each side counts its fastest round: other
// programs on the machine can only add time, never take it away, so the
// fastest round is the matcher's own cost.
void growth(const char* what, const wchar_t* pattern, const std::wstring& shortText, const std::wstring& longText,
            int caseSensitive)
{
    volatile int sink = 0;
    // Rounds of a few milliseconds at least, so that the short text is timed as
    // steadily as the long one.
    const long iterations = static_cast<long>(4000000 / shortText.size());
    double shortNs = 0;
    double longNs = 0;
    for (int round = 0; round < 15; ++round) {
        const double s = benchTimer::nsPerCall(
            [&] { sink = sink + wildcardMatch(pattern, shortText.c_str(), caseSensitive); }, iterations, 1);
        const double l = benchTimer::nsPerCall(
            [&] { sink = sink + wildcardMatch(pattern, longText.c_str(), caseSensitive); }, iterations / 10 + 1, 1);
        shortNs = (round == 0 || s < shortNs) ? s : shortNs;
        longNs = (round == 0 || l < longNs) ? l : longNs;
    }
    char line[200];
    std::snprintf(line, sizeof(line), "%s, %zu -> %zu chars", what, shortText.size(), longText.size());
    benchTimer::report(line, shortNs, longNs, "<= 12x");
}

std::wstring pseudoText(std::size_t length)
{
    std::wstring text;
    unsigned state = 12345;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        text += static_cast<wchar_t>(L'a' + (state >> 16) % 26);
    }
    return text;
}
} // namespace

int main()
{
    compareTypical(classNames);
    compareTypical(fileNames);
    compareTypical(nonAsciiFileNames);

    for (std::size_t length : {1000u, 10000u}) {
        growth("'*a*a*a*a*b' against 'aaa...a'", L"*a*a*a*a*b", std::wstring(length, L'a'),
               std::wstring(length * 10, L'a'), 1);
        growth("'*A*A*A*A*B' against 'aaa...a', without case", L"*A*A*A*A*B", std::wstring(length, L'a'),
               std::wstring(length * 10, L'a'), 0);
        growth("'*aaaaaaab*' against 'aaa...a'", L"*aaaaaaab*", std::wstring(length, L'a'),
               std::wstring(length * 10, L'a'), 1);
        growth("'*q*z*#?' against pseudo-random letters", L"*q*z*#?", pseudoText(length) + L"#",
               pseudoText(length * 10) + L"#", 1);
    }
    return 0;
}
