#include "model/c_format.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

QString cFormat(const char* format, ...) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const locale_t previous = uselocale(cLocale);
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    QString result;
    if (needed >= 0 && static_cast<size_t>(needed) < sizeof small) {
        result = QString::fromUtf8(small, needed);
    } else if (needed >= 0) {
        std::vector<char> large(static_cast<size_t>(needed) + 1);
        std::vsnprintf(large.data(), large.size(), format, copy);
        result = QString::fromUtf8(large.data(), needed);
    }
    va_end(copy);
    uselocale(previous);
    return result;
}
