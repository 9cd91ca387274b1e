// Text splitting and the buffered line reader shared by the file readers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Token := text of s before the first occurrence of delim, s := text after it; when delim does
// not occur, Token := s and s := empty.
void CutToken(std::string& s, std::string_view delim, std::string& token);
// The first `count` pieces cut from s at delim, each as a whole number; 0 for a piece that is
// missing or no whole number.
std::vector<int32_t> CutIntegers(std::string s, std::string_view delim, size_t count);

// s with the ASCII letters a..z upper-cased; other bytes stay as they are.
std::string UpperAscii(std::string_view s);

// Splits s at every delim outside double quotes (a quote toggles; quotes stay in the items).
// n unquoted delimiters give n + 1 items; an empty s gives none.
void SplitQuoted(std::string_view s, char delim, std::vector<std::string>& list);
// The same, as views into s (valid while s lives). With maxItems, splitting stops once that many
// items exist and the last one holds the unsplit rest of s, so wide rows cost only the fields used.
void SplitQuoted(std::string_view s, char delim, std::vector<std::string_view>& list,
                 size_t maxItems = SIZE_MAX);

// The lines of a text in memory, split at LF, each less one CR before its LF; a last line without
// LF counts, an empty text has none. The views point into text.
std::vector<std::string_view> SplitTextLines(std::string_view text);
// Cuts the first of those lines off text into `line`; false when text is used up.
bool NextTextLine(std::string_view& text, std::string_view& line);

// Calls f(line) for each line of a whole text in memory, as the readers that load a file at once
// take them: a line ends at CR, LF or CR LF, and a final line end adds no empty line. The views
// point into text.
template <typename F> void ForEachLine(std::string_view text, F&& f) {
    const char* base = text.data();
    const size_t size = text.size();
    for (size_t pos = 0; pos < size;) {
        const void* lf = std::memchr(base + pos, '\n', size - pos);
        const size_t stop = lf ? static_cast<size_t>(static_cast<const char*>(lf) - base) : size;
        size_t start = pos;
        while (const void* cr = std::memchr(base + start, '\r', stop - start)) {
            const size_t at = static_cast<size_t>(static_cast<const char*>(cr) - base);
            f(text.substr(start, at - start));
            start = at + 1;
        }
        // A CR right before the LF ended the line already.
        const bool crlf = lf && start == stop && start > pos && base[stop - 1] == '\r';
        if ((lf && !crlf) || (!lf && start < stop)) f(text.substr(start, stop - start));
        pos = stop + 1;
    }
}

// Streams a text file line by line through a block buffer. Lines end at LF; the first CR and then
// the first LF of a line are removed. Every line of the file is delivered, whatever its length;
// a last line without LF is delivered whole.
class LineReader {
  public:
    LineReader() = default;
    ~LineReader() { Close(); }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the file; false with `error` set when it cannot be read or is UTF-16 text.
    bool Open(const std::string& fileName, std::string& error);
    void Close();

    // Next line as a view valid until the next call; false at the end of the file.
    bool Next(std::string_view& line);
    // Next line as a string; false (line empty) at the end of the file.
    bool ReadBufferedLine(std::string& line);
    // True once the last line has been handed out (or the file is empty).
    bool EndOfInput();
    // True when reading stopped at an error of the file rather than at its end.
    bool Failed() const { return failed_; }
    // True once a line held a CR that no LF followed: text with CR-only (old Mac) line ends,
    // which this reader does not split.
    bool MetBareCR() const { return bareCR_; }

    int64_t FileSize() const { return fileSize_; }
    // Bytes of the file handed out so far.
    int64_t Consumed() const { return blockStart_ + static_cast<int64_t>(pos_); }

    // The lines of ForEachLine in a list.
    static void SplitLines(std::string_view text, std::vector<std::string_view>& lines);

  private:
    bool Fill();

    static constexpr size_t kBlockSize = 256000;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::string line_;
    size_t pos_ = 0;   // bytes of the buffer handed out
    size_t bytes_ = 0; // valid bytes in the buffer
    int64_t blockStart_ = 0;
    int64_t fileSize_ = 0;
    bool eof_ = true;     // the file has no more bytes to read into the buffer
    bool failed_ = false; // reading stopped at an error of the file
    bool bareCR_ = false;
};

// What a reader's refusal adds when `reader` met CR-only line ends: the clause (from ": ") that
// says so; "." otherwise.
std::string LineEndsClause(const LineReader& reader);

// The refusal of a file whose bytes begin with `start` when it is UTF-16 text (byte-order mark
// FF FE or FE FF), which no reader takes; empty for any other file.
std::string Utf16Refusal(std::string_view start, const std::string& fileName);

// s without surrounding blanks and TABs.
std::string_view TrimBlanks(std::string_view s);
// s with A..Z lowered; other bytes stay as they are.
std::string AsciiLower(std::string_view s);

// Settings files (groupings, selections, band patterns) never come near this size.
inline constexpr int64_t kSmallFileLimit = 16 << 20;
// Opens a settings file; false with `error` set when it cannot be read or exceeds kSmallFileLimit.
bool OpenSmallFile(LineReader& reader, const std::string& fileName, std::string& error);
