#include "fcsreader.h"

#include "binaryio.h"
#include "numbers.h"
#include "parser.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr std::string_view kMagic = "FCS2.0    ";
constexpr int64_t kMagicSearchEnd = 1000; // first offset not searched
constexpr int64_t kFieldLength = 8;
constexpr int kHeaderFields = 4;

std::string Refused(const std::string& reason) {
    return "Invalid file format\n\n" + reason;
}

// The bytes the magic is searched in.
std::string_view SearchedBytes(std::string_view bytes) {
    return bytes.substr(0, std::min<size_t>(bytes.size(), kMagicSearchEnd + kMagic.size() - 1));
}

int64_t FindMagic(std::string_view bytes) {
    const size_t at = SearchedBytes(bytes).find(kMagic);
    return at == std::string_view::npos ? -1 : static_cast<int64_t>(at);
}

// The magic of another version of the standard ("FCS3.1") where the magic is searched; empty
// when there is none.
std::string OtherVersion(std::string_view bytes) {
    const std::string_view searched = SearchedBytes(bytes);
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    for (size_t at = searched.find("FCS"); at != std::string_view::npos;
         at = searched.find("FCS", at + 1)) {
        const std::string_view magic = searched.substr(at, 6);
        if (magic.size() == 6 && digit(magic[3]) && magic[4] == '.' && digit(magic[5]) &&
            magic != kMagic.substr(0, 6))
            return std::string(magic);
    }
    return {};
}

// The parameter passes as the log has always shown them: each cut runs to the next occurrence of
// its keyword, so a keyword out of order or missing consumes the rest of the text.
void KeywordPasses(std::string_view text, FcsData& out) {
    size_t pos = 0;
    const auto cut = [&](std::string_view delim) {
        const size_t at = text.find(delim, pos);
        const size_t end = at == std::string_view::npos ? text.size() : at;
        const std::string_view token = text.substr(pos, end - pos);
        pos = at == std::string_view::npos ? text.size() : at + delim.size();
        return token;
    };
    for (int k = 1;; ++k) {
        const std::string prefix = "$P" + std::to_string(k);
        cut(prefix + "N\\");
        const std::string name(cut("\\"));
        cut(prefix + "R\\");
        const std::string_view range = cut("\\");
        cut(prefix + "B\\");
        const std::string_view bits = cut("\\");
        out.KeywordLines.push_back(name + '\t' + std::string(range) + '\t' + std::string(bits));
        out.Names.push_back(name);
        if (pos >= text.size()) break;
    }
}

std::string Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return std::string(s);
}

bool IsParameterBits(const std::string& key) {
    if (key.size() < 4 || key.compare(0, 2, "$P") != 0 || key.back() != 'B') return false;
    for (size_t i = 2; i + 1 < key.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(key[i]))) return false;
    return true;
}

// Splits TEXT into keyword/value pairs at its first byte; a doubled delimiter is one character.
std::vector<std::string> TextFields(std::string_view text) {
    std::vector<std::string> fields;
    if (text.empty()) return fields;
    const char delimiter = text[0];
    std::string field;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] != delimiter) {
            field += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == delimiter) {
            field += delimiter;
            ++i;
        } else {
            fields.push_back(std::move(field));
            field.clear();
        }
    }
    if (!field.empty()) fields.push_back(std::move(field));
    return fields;
}

// The reason a declared layout differs from five 16-bit big-endian integers; empty when none.
std::string LayoutMismatch(std::string_view text) {
    const std::vector<std::string> fields = TextFields(text);
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        const std::string key = UpperAscii(Trimmed(fields[i]));
        const std::string value = Trimmed(fields[i + 1]);
        int32_t n = 0;
        if (key == "$PAR" && !(ParseStrictInt(value, n) && n == kFcsParameters))
            return "$PAR is \"" + value + "\": only files of 5 parameters per event can be read.";
        if (key == "$DATATYPE" && UpperAscii(value) != "I")
            return "$DATATYPE is \"" + value + "\": only integer data (I) can be read.";
        if (key == "$BYTEORD" && value != "4,3,2,1" && value != "2,1")
            return "$BYTEORD is \"" + value +
                   "\": only big-endian data (4,3,2,1 or 2,1) can be read.";
        if (IsParameterBits(key) && !(ParseStrictInt(value, n) && n == 16))
            return key + " is \"" + value + "\": only 16-bit values can be read.";
    }
    return {};
}

// Checks one segment's offsets (relative to the magic at p) against each other and the file.
std::string SegmentProblem(const char* name, int64_t start, int64_t end, int64_t p,
                           int64_t fileSize) {
    if (start < 0 || end < start)
        return std::string(name) + " segment from offset " + std::to_string(start) + " to " +
               std::to_string(end) + ": its start must lie between 0 and its end.";
    if (p + end >= fileSize)
        return std::string(name) + " segment ends at offset " + std::to_string(end) +
               ", beyond the end of the file (" + std::to_string(fileSize) + " bytes).";
    return {};
}

} // namespace

bool DecodeFcs(std::string_view bytes, FcsData& out, std::string& error) {
    out = FcsData{};
    const int64_t size = static_cast<int64_t>(bytes.size());
    const int64_t p = FindMagic(bytes);
    out.MagicPosition = p;
    if (p < 0) {
        const std::string other = OtherVersion(bytes);
        error = other.empty()
                    ? "Invalid file format"
                    : Refused("The file is an " + other + " file: only FCS 2.0 files are read.");
        return false;
    }
    static const char* const fieldNames[kHeaderFields] = {"TEXT start", "TEXT end", "DATA start",
                                                          "DATA end"};
    int64_t offsets[kHeaderFields] = {};
    for (int f = 0; f < kHeaderFields; ++f) {
        const int64_t at = p + static_cast<int64_t>(kMagic.size()) + f * kFieldLength;
        if (at + kFieldLength > size) {
            error = Refused("The header ends at byte " + std::to_string(size) +
                            ", before its four segment offsets.");
            return false;
        }
        const std::string& field =
            out.HeaderFields.emplace_back(bytes.substr(static_cast<size_t>(at), kFieldLength));
        int32_t offset = 0;
        if (!ParseStrictInt(field, offset)) {
            error = Refused("The header's " + std::string(fieldNames[f]) + " offset \"" + field +
                            "\" is not a number.");
            return false;
        }
        offsets[f] = offset;
    }
    for (const auto& [name, first] : {std::pair{"TEXT", 0}, std::pair{"DATA", 2}}) {
        const std::string problem =
            SegmentProblem(name, offsets[first], offsets[first + 1], p, size);
        if (!problem.empty()) {
            error = Refused(problem);
            return false;
        }
    }
    const std::string_view text = bytes.substr(static_cast<size_t>(p + offsets[0]),
                                               static_cast<size_t>(offsets[1] - offsets[0] + 1));
    KeywordPasses(text, out);
    if (const std::string mismatch = LayoutMismatch(text); !mismatch.empty()) {
        error = Refused(mismatch);
        return false;
    }
    const int64_t dataBytes = offsets[3] - offsets[2] + 1;
    const int64_t events = dataBytes / 5 / 2;
    if (events > std::numeric_limits<int32_t>::max()) {
        error = Refused("The DATA segment holds more events than can be read.");
        return false;
    }
    const auto* word = reinterpret_cast<const unsigned char*>(bytes.data() + p + offsets[2]);
    for (auto& values : out.Values) values.resize(static_cast<size_t>(events));
    for (size_t e = 0; e < static_cast<size_t>(events); ++e) {
        for (int j = 0; j < kFcsParameters; ++j, word += 2)
            out.Values[j][e] = static_cast<float>(word[0] << 8 | word[1]);
    }
    out.Events = static_cast<int32_t>(events);
    return true;
}

std::string FcsReadError(const std::string& fileName, int err) {
    return "Could not read " + fileName + "\n\n" + std::strerror(err);
}

bool ReadFcsFile(const std::string& fileName, FcsData& out, std::string& error) {
    int err = 0;
    try {
        std::string bytes;
        if (ReadWholeFile(fileName, bytes, err)) return DecodeFcs(bytes, out, error);
    } catch (const std::bad_alloc&) {
        err = ENOMEM;
    }
    out = FcsData{};
    error = FcsReadError(fileName, err);
    return false;
}
