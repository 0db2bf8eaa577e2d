#pragma once

#include <QString>

class AppState;

// The Connect tab's header line: how many of the three sources are connected and which of the three dots
// are lit. Google counts once for both of its products.
struct ConnectHeader {
    int count = 0;
    bool stripeLit = false;
    bool googleLit = false;
    bool datafastLit = false;

    static ConnectHeader of(const AppState& state);
    // "<count> of 3 connected".
    QString countText() const;
};
