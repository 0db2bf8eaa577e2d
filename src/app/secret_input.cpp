#include "app/secret_input.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace SecretInput {

bool isInteractive() {
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<QString> readLine(const QString& prompt, bool hidden) {
    const bool terminal = isInteractive();
    termios saved = {};
    bool echoOff = false;
    if (terminal) {
        std::fputs(prompt.toUtf8().constData(), stderr);
        std::fflush(stderr);
        if (hidden && ::tcgetattr(STDIN_FILENO, &saved) == 0) {
            termios quiet = saved;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            echoOff = ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
        }
    }
    std::string line;
    bool gotAny = false;
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        gotAny = true;
        if (c == '\n')
            break;
        line.push_back(char(c));
    }
    if (echoOff) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputs("\n", stderr);
    }
    if (!gotAny)
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromUtf8(line.data(), qsizetype(line.size()));
}

} // namespace SecretInput
