#include "probeposition.h"

#include "numbers.h"

#include <algorithm>

ProbePosition ParseProbePosition(std::string_view text) {
    ProbePosition p;
    const size_t colon = text.find(':');
    std::string_view name = text.substr(0, colon);
    name.remove_prefix(std::min<size_t>(3, name.size()));
    if (name == "X")
        p.chr = 23;
    else if (name == "Y")
        p.chr = 24;
    else
        p.chr = ParseLenientInt(name);
    if (colon == std::string_view::npos) return p;
    const std::string_view range = text.substr(colon + 1);
    const size_t dash = range.find('-');
    p.start = ParseLenientInt(range.substr(0, dash));
    if (dash != std::string_view::npos) p.end = ParseLenientInt(range.substr(dash + 1));
    return p;
}

float ScaledCGHValue(std::string_view cell) {
    return ScaledCGHValue(ParseLenientFloat(cell));
}

float ScaledCGHValue(double value) {
    return ClampToSingle(value * kCGHValueFactor);
}
