#include "inifile.h"

#include "binaryio.h"
#include "parser.h"

#include <filesystem>
#include <system_error>

namespace {

// The name of a "[name]" line (the text up to "]", or to the end), less surrounding blanks.
std::string_view SectionName(std::string_view trimmed) {
    trimmed.remove_prefix(1);
    return TrimBlanks(trimmed.substr(0, trimmed.find(']')));
}

bool OneLine(std::string_view s) {
    return s.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

void IniFile::IndexKey(Section& section, std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view key = TrimBlanks(line.substr(0, eq));
    if (key.empty()) return;
    std::string_view value = TrimBlanks(line.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    section.values.emplace(AsciiLower(key), std::string(value)); // the first of a key wins
}

void IniFile::AddLine(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
        index_.emplace(AsciiLower(SectionName(trimmed)), sections_.size());
        sections_.push_back({std::string(line), {}, {}});
        return;
    }
    if (sections_.empty()) {
        preamble_.emplace_back(line);
        return;
    }
    Section& s = sections_.back();
    s.lines.emplace_back(line);
    IndexKey(s, line);
}

bool IniFile::Load(const std::string& fileName, std::string& error) {
    *this = IniFile();
    LineReader reader;
    if (!OpenSmallFile(reader, fileName, error)) return false;
    std::string_view line;
    while (reader.Next(line)) AddLine(line);
    if (reader.Failed()) {
        *this = IniFile();
        error = "Could not read file \"" + fileName + "\"";
        return false;
    }
    return true;
}

const IniFile::Section* IniFile::Find(std::string_view name) const {
    const auto it = index_.find(AsciiLower(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    const Section* s = Find(section);
    return s && s->values.count(AsciiLower(key)) > 0;
}

std::string IniFile::Read(std::string_view section, std::string_view key,
                          std::string_view fallback) const {
    if (const Section* s = Find(section)) {
        const auto it = s->values.find(AsciiLower(key));
        if (it != s->values.end()) return it->second;
    }
    return std::string(fallback);
}

bool IniFile::ReplaceSection(const std::string& section, const IniKeys& keys) {
    if (!OneLine(section) || section.find(']') != std::string::npos) return false;
    for (const auto& [key, value] : keys) {
        const std::string_view k = TrimBlanks(key);
        if (k.empty() || k.front() == '[' || key.find('=') != std::string::npos || !OneLine(key) ||
            !OneLine(value))
            return false;
    }
    Section fresh{"[" + section + "]", {}, {}};
    for (const auto& [key, value] : keys) {
        fresh.lines.push_back(key + "=" + value);
        IndexKey(fresh, fresh.lines.back());
    }
    const auto it = index_.find(AsciiLower(TrimBlanks(section)));
    if (it != index_.end()) {
        sections_[it->second] = std::move(fresh);
    } else {
        index_.emplace(AsciiLower(TrimBlanks(section)), sections_.size());
        sections_.push_back(std::move(fresh));
    }
    return true;
}

std::string IniFile::Text() const {
    std::string text;
    const auto add = [&text](const std::string& line) { text.append(line).append("\r\n"); };
    for (const std::string& line : preamble_) add(line);
    for (const Section& s : sections_) {
        add(s.header);
        for (const std::string& line : s.lines) add(line);
    }
    return text;
}

bool IniFile::Save(const std::string& fileName, std::string& error) const {
    return WriteWholeFile(fileName, Text(), error);
}

bool WriteIniSection(const std::string& fileName, const std::string& section, const IniKeys& keys,
                     std::string& error) {
    IniFile ini;
    std::error_code ec;
    if (std::filesystem::exists(fileName, ec) && !ini.Load(fileName, error)) return false;
    if (!ini.ReplaceSection(section, keys)) {
        error = "Cannot write the settings of \"" + section + "\" to \"" + fileName + "\".";
        return false;
    }
    return ini.Save(fileName, error);
}
