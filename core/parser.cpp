#include "parser.h"

#include "numbers.h"

#include <bit>
#include <cstring>
#include <sys/stat.h>

static_assert(std::endian::native == std::endian::little, "the field scan reads bytes in words");

void CutToken(std::string& s, std::string_view delim, std::string& token) {
    const size_t at = delim.empty() ? std::string::npos : s.find(delim);
    if (at == std::string::npos) {
        token = std::move(s);
        s.clear();
        return;
    }
    token.assign(s, 0, at);
    s.erase(0, at + delim.size());
}

std::vector<int32_t> CutIntegers(std::string s, std::string_view delim, size_t count) {
    std::vector<int32_t> numbers(count, 0);
    std::string token;
    for (int32_t& n : numbers) {
        CutToken(s, delim, token);
        if (!ParseStrictInt(token, n)) n = 0;
    }
    return numbers;
}

std::string UpperAscii(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

namespace {
// Sets the top bit of exactly those bytes of w that equal the byte repeated in `pattern`.
inline uint64_t MatchBytes(uint64_t w, uint64_t pattern) {
    constexpr uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = w ^ pattern;
    return ~(((x & low7) + low7) | x | low7);
}

template <typename Item>
void SplitQuotedInto(std::string_view s, char delim, std::vector<Item>& list, size_t maxItems) {
    list.clear();
    if (s.empty() || maxItems == 0) return;
    if (maxItems == 1) {
        list.emplace_back(s);
        return;
    }
    bool quoted = false;
    size_t start = 0;
    const char* p = s.data();
    const size_t n = s.size();
    const uint64_t delims = 0x0101010101010101ull * static_cast<unsigned char>(delim);
    const uint64_t quotes = 0x0101010101010101ull * static_cast<unsigned char>('"');
    // Eight bytes at a time: only delimiters and quotes need a look.
    const auto handle = [&](size_t i) {
        if (p[i] == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            list.emplace_back(s.substr(start, i - start));
            start = i + 1;
        }
        return list.size() + 1 >= maxItems;
    };
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        uint64_t hits = MatchBytes(w, delims) | MatchBytes(w, quotes);
        while (hits) {
            if (handle(i + static_cast<size_t>(__builtin_ctzll(hits)) / 8)) {
                list.emplace_back(s.substr(start));
                return;
            }
            hits &= hits - 1;
        }
    }
    for (; i < n; ++i) {
        if ((p[i] == delim || p[i] == '"') && handle(i)) break;
    }
    list.emplace_back(s.substr(start));
}
} // namespace

void SplitQuoted(std::string_view s, char delim, std::vector<std::string>& list) {
    SplitQuotedInto(s, delim, list, SIZE_MAX);
}

void SplitQuoted(std::string_view s, char delim, std::vector<std::string_view>& list,
                 size_t maxItems) {
    SplitQuotedInto(s, delim, list, maxItems);
}

bool NextTextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    const size_t lf = text.find('\n');
    line = text.substr(0, lf);
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    return true;
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::string_view line; NextTextLine(text, line);) lines.push_back(line);
    return lines;
}

bool LineReader::Open(const std::string& fileName, std::string& error) {
    Close();
    // Only a regular file has an end to read to: a pipe or a device (/dev/zero) may never end,
    // and opening a pipe would wait for its writer.
    struct stat info {};
    if (::stat(fileName.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
        error = "Cannot read file: " + fileName + " (not a regular file)";
        return false;
    }
    file_ = std::fopen(fileName.c_str(), "rb");
    if (!file_) {
        error = "Cannot open file: " + fileName + " (" + std::strerror(errno) + ")";
        return false;
    }
    if (fstat(fileno(file_), &info) != 0 || !S_ISREG(info.st_mode) ||
        std::fseek(file_, 0, SEEK_END) != 0 || (fileSize_ = ftello(file_)) < 0 ||
        std::fseek(file_, 0, SEEK_SET) != 0) {
        error = "Cannot read file: " + fileName;
        Close();
        return false;
    }
    buffer_.resize(kBlockSize);
    pos_ = bytes_ = 0;
    blockStart_ = 0;
    eof_ = false;
    failed_ = false;
    bareCR_ = false;
    Fill();
    error = Utf16Refusal(std::string_view(buffer_.data(), bytes_), fileName);
    if (error.empty()) return true;
    Close();
    return false;
}

void LineReader::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    eof_ = true;
    pos_ = bytes_ = 0;
}

// Moves the unread rest to the front and reads more behind it; false when nothing new arrived.
bool LineReader::Fill() {
    if (eof_ || !file_) return false;
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, bytes_ - pos_);
        blockStart_ += static_cast<int64_t>(pos_);
        bytes_ -= pos_;
        pos_ = 0;
    }
    if (bytes_ == buffer_.size()) buffer_.resize(buffer_.size() * 2); // a line longer than a block
    const size_t got = std::fread(buffer_.data() + bytes_, 1, buffer_.size() - bytes_, file_);
    bytes_ += got;
    if (got == 0) {
        eof_ = true;
        failed_ = std::ferror(file_) != 0;
    }
    return got > 0;
}

bool LineReader::Next(std::string_view& line) {
    size_t scanFrom = pos_;
    for (;;) {
        const char* base = buffer_.data();
        const void* lf =
            scanFrom < bytes_ ? std::memchr(base + scanFrom, '\n', bytes_ - scanFrom) : nullptr;
        if (lf || eof_) {
            const size_t end =
                lf ? static_cast<size_t>(static_cast<const char*>(lf) - base) + 1 : bytes_;
            if (end == pos_) return false; // nothing left
            std::string_view raw(base + pos_, end - pos_);
            pos_ = end;
            // The first CR, then the first LF, leave the line. Plain LF and CR LF ends need no
            // copy.
            const size_t cr = raw.find('\r');
            if (raw.back() == '\n' && (cr == std::string_view::npos || cr + 2 == raw.size())) {
                line = raw.substr(0, cr == std::string_view::npos ? raw.size() - 1 : cr);
                return true;
            }
            line_.assign(raw);
            if (cr != std::string::npos) {
                bareCR_ = bareCR_ || (cr + 1 < raw.size() && raw[cr + 1] != '\n');
                line_.erase(cr, 1);
            }
            const size_t nl = line_.find('\n');
            if (nl != std::string::npos) line_.erase(nl, 1);
            line = line_;
            return true;
        }
        const size_t scanned = bytes_ - pos_;
        Fill();
        scanFrom = pos_ + scanned;
    }
}

bool LineReader::ReadBufferedLine(std::string& line) {
    std::string_view v;
    if (!Next(v)) {
        line.clear();
        return false;
    }
    line.assign(v);
    return true;
}

bool LineReader::EndOfInput() {
    if (pos_ < bytes_) return false;
    if (eof_) return true;
    Fill();
    return pos_ >= bytes_;
}

void LineReader::SplitLines(std::string_view text, std::vector<std::string_view>& lines) {
    lines.clear();
    ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
}

std::string LineEndsClause(const LineReader& reader) {
    return reader.MetBareCR() ? ": its lines end in CR alone (old Mac line ends), which are not "
                                "read as line breaks; save it with CR LF or LF line ends."
                              : ".";
}

std::string Utf16Refusal(std::string_view start, const std::string& fileName) {
    if (!start.starts_with("\xFF\xFE") && !start.starts_with("\xFE\xFF")) return {};
    return "\"" + fileName + "\" is saved as UTF-16 (Unicode text), which cannot be read: " +
           "save it as tab-delimited text in ANSI or UTF-8.";
}

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool OpenSmallFile(LineReader& reader, const std::string& fileName, std::string& error) {
    if (!reader.Open(fileName, error)) return false;
    if (reader.FileSize() <= kSmallFileLimit) return true;
    reader.Close();
    error = "\"" + fileName + "\" is larger than " + std::to_string(kSmallFileLimit >> 20) +
            " MB: no file of this kind is so large.";
    return false;
}
