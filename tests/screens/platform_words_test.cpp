#include "platform_words.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

bool printable(char16_t unit) {
    return (unit >= 0x20 && unit < 0x7F) || unit == u'\n' || unit >= 0xA0;
}

// Texts are mostly ASCII; machine code read as UTF-16 is mostly not.
bool looksLikeText(const QString& run) {
    const auto ascii = std::count_if(run.begin(), run.end(), [](QChar c) { return c.unicode() < 0x7F; });
    return ascii * 10 >= run.size() * 8;
}

// The texts in a binary. QStringLiteral stores UTF-16: every run of at least `minimum` printable code units,
// at either byte parity. QString::fromUtf8 and QLatin1String texts are 8-bit: runs with a space in them, so
// that symbol and file names (one word each) stay out.
QStringList textsIn(const QByteArray& bytes, int minimum = 6) {
    // Plain indexing and one copy per run found: a debug build with sanitizers is hundreds of megabytes.
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    const auto unitAt = [data](qsizetype i) { return char16_t(uchar(data[i]) | (uchar(data[i + 1]) << 8)); };
    QStringList texts;
    for (qsizetype parity = 0; parity < 2; ++parity) {
        qsizetype start = parity;
        for (qsizetype i = parity; i + 1 < size; i += 2) {
            if (printable(unitAt(i)))
                continue;
            const qsizetype length = (i - start) / 2;
            if (length >= minimum) {
                QString run(length, Qt::Uninitialized);
                for (qsizetype k = 0; k < length; ++k)
                    run[k] = QChar(unitAt(start + 2 * k));
                if (looksLikeText(run))
                    texts.append(run);
            }
            start = i + 2;
        }
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size && data[i] != '\0')
            continue;
        if (i - start >= minimum) {
            const QByteArray run(data + start, i - start);
            if (run.contains(' ')) {
                const QString text = QString::fromUtf8(run);
                if (looksLikeText(text) &&
                    std::all_of(text.begin(), text.end(), [](QChar c) { return printable(c.unicode()); }))
                    texts.append(text);
            }
        }
        start = i + 1;
    }
    return texts;
}

TEST(PlatformWords, NoTextOfTheProgramNamesAnotherPlatform) {
    QFile program(QStringLiteral(ZINGBOARD_EXECUTABLE));
    ASSERT_TRUE(program.open(QIODevice::ReadOnly)) << ZINGBOARD_EXECUTABLE;
    const QStringList texts = textsIn(program.readAll());

    // The scan must see texts of every kind of screen for its silence to mean anything: UTF-16 literals of
    // the windows and the panel, and 8-bit ones.
    for (const char* known : {"Hit a goal. Your desktop reacts.", "Open Help tab for sound tips",
                              "Connect a provider to see live metrics.", "Quit Zingboard",
                              "Hit a target → sound + emoji on screen."}) {
        const QString text = QString::fromUtf8(known);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const QString& t) {
            return t.contains(text);
        })) << known;
    }
    for (const QString& text : texts) {
        const QStringList found = PlatformWords::foundIn(text);
        EXPECT_TRUE(found.isEmpty()) << found.join(QStringLiteral(", ")).toStdString()
                                     << " in: " << text.left(200).toStdString();
    }
}

} // namespace
