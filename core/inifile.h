// INI files: "[Section]" lines and "key=value" lines, ending in LF or CR LF.
//
// Section and key names match without regard to ASCII case, and the first match wins. A value is
// the text after the first "=", less surrounding blanks and one pair of enclosing double quotes.
// Lines before the first section and lines without "=" hold no key. Writing replaces one section
// whole and keeps every other line of the file as it was read; lines are written with CR LF and
// values literally (blanks and commas included).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

using IniKeys = std::vector<std::pair<std::string, std::string>>;

class IniFile {
  public:
    // Reads a file, replacing what the object held. Returns false with `error` set when the file
    // cannot be read or exceeds kSmallFileLimit; the object is then empty.
    bool Load(const std::string& fileName, std::string& error);

    bool HasKey(std::string_view section, std::string_view key) const;
    // The key's value, or `fallback` when the section or the key is missing.
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) const;

    // Replaces the first section of that name (or adds one at the end) by exactly `keys`, in
    // order. Returns false, changing nothing, when a name or value cannot be written as one line
    // (a line break, a key that is empty, holds "=" or begins with "[", a section name with "]").
    bool ReplaceSection(const std::string& section, const IniKeys& keys);

    // The file's text as it would be written.
    std::string Text() const;
    // Writes Text(); the file is replaced only when all of it is written.
    bool Save(const std::string& fileName, std::string& error) const;

  private:
    struct Section {
        std::string header;                                  // the "[name]" line as read
        std::vector<std::string> lines;                      // the lines after it
        std::unordered_map<std::string, std::string> values; // lower-case key -> value
    };
    void AddLine(std::string_view line);
    void IndexKey(Section& section, std::string_view line);
    const Section* Find(std::string_view name) const;

    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> index_; // lower-case name -> first section
};

// Replaces one section of a file (creating the file when it does not exist) and keeps its other
// sections. Returns false with `error` set when an existing file cannot be read or the new one
// cannot be written; the file is then as it was.
bool WriteIniSection(const std::string& fileName, const std::string& section, const IniKeys& keys,
                     std::string& error);
