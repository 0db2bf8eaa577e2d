#pragma once

#include <QString>

// printf-style formatting under the C locale (point as decimal mark, no grouping), whatever locale the
// process runs in. The format is UTF-8; arguments that are strings must be UTF-8 `const char*`.
QString cFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
