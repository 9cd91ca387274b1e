// Builds FCS 2.0 files byte by byte, for the reader's tests and its benchmark: leading bytes, the
// magic, the four 8-byte offset fields (relative to the magic), a TEXT segment of keyword/value
// pairs and a DATA segment. The default file declares the fixed layout of five 16-bit big-endian
// values per event.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

struct FcsFileSpec {
    size_t leading = 0; // bytes before the magic
    char delimiter = '\\';
    std::vector<std::pair<std::string, std::string>> keywords; // TEXT, in order
    std::string data;                                          // DATA segment bytes
};

namespace fcsfile {

// The keywords of a file in the fixed layout: the parameter count, type and byte order, then
// name, range and bits of each of the five parameters.
inline std::vector<std::pair<std::string, std::string>> FixedLayoutKeywords(int64_t events) {
    std::vector<std::pair<std::string, std::string>> k = {{"$BYTEORD", "4,3,2,1"},
                                                          {"$DATATYPE", "I"},
                                                          {"$MODE", "L"},
                                                          {"$PAR", "5"},
                                                          {"$TOT", std::to_string(events)}};
    static const char* const names[] = {"FSC-H", "SSC-H", "FL1-H", "FL2-H", "FL3-H"};
    for (int p = 1; p <= 5; ++p) {
        const std::string n = "$P" + std::to_string(p);
        k.push_back({n + "N", names[p - 1]});
        k.push_back({n + "R", "1024"});
        k.push_back({n + "B", "16"});
    }
    return k;
}

// Values as big-endian 16-bit words, in the order given.
inline std::string Words(const std::vector<uint16_t>& values) {
    std::string out;
    out.reserve(values.size() * 2);
    for (uint16_t v : values) {
        out += static_cast<char>(v >> 8);
        out += static_cast<char>(v & 0xFF);
    }
    return out;
}

// `events` events of five random 16-bit values, the same for the same seed.
inline std::string RandomEvents(int64_t events, uint32_t seed = 1) {
    std::mt19937 gen(seed);
    std::string out(static_cast<size_t>(events) * 10, '\0');
    for (char& c : out) c = static_cast<char>(gen() & 0xFF);
    return out;
}

inline std::string Field(int64_t v) {
    std::string s = std::to_string(v);
    return std::string(s.size() < 8 ? 8 - s.size() : 0, ' ') + s;
}

inline std::string Build(const FcsFileSpec& spec) {
    std::string text(1, spec.delimiter);
    const auto escaped = [&](const std::string& s) {
        std::string e;
        for (char c : s) {
            e += c;
            if (c == spec.delimiter) e += c;
        }
        return e;
    };
    for (const auto& [key, value] : spec.keywords)
        text += escaped(key) + spec.delimiter + escaped(value) + spec.delimiter;
    constexpr int64_t header = 58; // magic, six offset fields
    const int64_t textStart = header;
    const int64_t textEnd = textStart + static_cast<int64_t>(text.size()) - 1;
    const int64_t dataStart = textEnd + 1;
    const int64_t dataEnd = dataStart + static_cast<int64_t>(spec.data.size()) - 1;
    std::string out(spec.leading, 'x');
    out += "FCS2.0    " + Field(textStart) + Field(textEnd) + Field(dataStart) + Field(dataEnd) +
           Field(0) + Field(0);
    return out + text + spec.data;
}

// A whole file in the fixed layout with `events` random events.
inline std::string FixedLayoutFile(int64_t events, uint32_t seed = 1) {
    FcsFileSpec spec;
    spec.keywords = FixedLayoutKeywords(events);
    spec.data = RandomEvents(events, seed);
    return Build(spec);
}

} // namespace fcsfile
