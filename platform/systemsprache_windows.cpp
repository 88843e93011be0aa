#include "platform/sprachwahl.hpp"

#include <windows.h>

namespace qz {

// The language Windows shows its own menus in (a setting apart from the formats of numbers and
// dates, which may differ), by its name "en-US" written as the variables write it, "en_US".
std::string systemsprache()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    const LCID anzeige = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(anzeige, name, LOCALE_NAME_MAX_LENGTH, 0) <= 0 &&
        GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) <= 0)
        return "";
    std::string code;
    for (const wchar_t* z = name; *z; ++z) code += *z == L'-' ? '_' : static_cast<char>(*z);
    return code;
}

}  // namespace qz
