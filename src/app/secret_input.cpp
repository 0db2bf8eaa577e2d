#include "app/secret_input.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

termios g_saved = {};

// Ctrl-C while typing must not leave the terminal without echo.
extern "C" void restoreAndRaise(int signalNumber) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &g_saved);
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

} // namespace

namespace SecretInput {

bool isInteractive() {
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<QString> readLine(const QString& prompt, bool hidden) {
    const bool terminal = isInteractive();
    bool echoOff = false;
    struct sigaction previousInt = {};
    struct sigaction previousTerm = {};
    if (terminal) {
        std::fputs(prompt.toUtf8().constData(), stderr);
        std::fflush(stderr);
        if (hidden && ::tcgetattr(STDIN_FILENO, &g_saved) == 0) {
            struct sigaction restore = {};
            restore.sa_handler = restoreAndRaise;
            sigemptyset(&restore.sa_mask);
            ::sigaction(SIGINT, &restore, &previousInt);
            ::sigaction(SIGTERM, &restore, &previousTerm);
            termios quiet = g_saved;
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
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_saved);
        ::sigaction(SIGINT, &previousInt, nullptr);
        ::sigaction(SIGTERM, &previousTerm, nullptr);
        std::fputs("\n", stderr);
    }
    if (!gotAny)
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromUtf8(line.data(), qsizetype(line.size()));
}

} // namespace SecretInput
