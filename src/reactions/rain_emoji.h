#pragma once

// The random parameters of one falling emoji.
struct RainEmoji {
    double x = 0.5;   // horizontal position as a fraction of the width
    double delay = 0; // seconds after the rain starts
    double size = 33; // font size in points
    double drift = 0; // amplitude of the sideways wobble in points

    bool operator==(const RainEmoji&) const = default;
};
