#pragma once

// The profiler's key, HKEY_CURRENT_USER\Software\OstraVell\Korvanex64: the
// levels below the root, outermost first, each opened or created in turn.
inline constexpr const wchar_t* productKeyLevels[] = {L"Software", L"OstraVell", L"Korvanex64"};
inline constexpr const wchar_t productKeyRootName[] = L"HKEY_CURRENT_USER";
