// Flow-cytometry files of the FCS 2.0 standard, read in one narrow layout: five unsigned 16-bit
// big-endian values per event.
//
// The magic "FCS2.0    " is searched at offsets 0..999; behind it four 8-byte decimal fields give
// the first and last byte of the TEXT and the DATA segment, relative to the magic. TEXT holds
// keyword/value pairs split by its first byte (a doubled delimiter stands for itself). A file
// whose TEXT declares another layout ($PAR not 5, $DATATYPE not I, $BYTEORD not 4,3,2,1 or 2,1,
// a $PnB not 16) is refused; one that declares none of these is read in the fixed layout.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kFcsParameters = 5;

struct FcsData {
    int64_t MagicPosition = -1; // offset of the magic, -1 when absent
    // The raw header fields as read: TEXT start, TEXT end, DATA start, DATA end.
    std::vector<std::string> HeaderFields;
    // One line per keyword pass: the N, R and B values of parameter k joined by TAB; the last
    // pass is the one that ran out of text (its values empty or partial).
    std::vector<std::string> KeywordLines;
    std::vector<std::string> Names; // the N value of each pass, as in KeywordLines
    int32_t Events = 0;
    // Values[p][e]: parameter p + 1 of event e + 1.
    std::array<std::vector<float>, kFcsParameters> Values;
};

// Reads an FCS file held in `bytes`. Returns true with every field of `out` filled. On a refusal
// returns false with `error` set to "Invalid file format" (alone when the magic is missing and no
// other version's magic is there, else followed by "\n\n" and the reason naming the version,
// header field, keyword or offset); `out` then holds what was read before the refusal (position,
// header fields, keyword lines) and no values.
bool DecodeFcs(std::string_view bytes, FcsData& out, std::string& error);

// Reads the file `fileName` as DecodeFcs does; an unreadable file, or one larger than the memory
// left, gives false with FcsReadError's text in `error`.
bool ReadFcsFile(const std::string& fileName, FcsData& out, std::string& error);

// The error of a file that could not be read or held: its name and the system's reason for `err`.
std::string FcsReadError(const std::string& fileName, int err);
