// An IniFile kept in memory, with the rules of the Windows profile functions that the macro
// code relies on: names match case-insensitively, a deleted section written again goes to the
// end, values come back cut to the buffer, a write creates a missing file (on disk, empty but for
// its byte-order mark). It also counts reads and writes.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_ops.h"
#include "platform/ini_file.h"
#include "platform/ini_names.h"

namespace gm::test {

class MemoryIniFile : public IniFile {
 public:
  struct Section {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> keys;
  };

  std::wstring ReadString(const FilePath& file, const std::wstring& section,
                          const std::wstring& key, std::size_t bufferChars) override {
    ++reads;
    const Section* found = Find(file, section);
    if (found == nullptr || bufferChars == 0) return {};
    for (const auto& [name, value] : found->keys) {
      if (Same(name, key)) return value.substr(0, bufferChars - 1);
    }
    return {};
  }

  bool WriteString(const FilePath& file, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override {
    writes.push_back(section + L"/" + key + L"=" + value);
    // A missing file is created, with the byte-order mark of a UTF-16LE file.
    if (!FileExists(file))
      std::ofstream(std::filesystem::path(file.Native()), std::ios::binary) << "\xFF\xFE";
    Section* found = Find(file, section);
    if (found == nullptr) {
      files[file.Native()].push_back({section, {}});
      found = &files[file.Native()].back();
    }
    for (auto& [name, old] : found->keys) {
      if (Same(name, key)) {
        old = value;
        return true;
      }
    }
    found->keys.emplace_back(key, value);
    return true;
  }

  bool DeleteKey(const FilePath& file, const std::wstring& section,
                 const std::wstring& key) override {
    writes.push_back(L"delete " + section + L"/" + key);
    if (Section* found = Find(file, section)) {
      std::erase_if(found->keys, [&](const auto& entry) { return Same(entry.first, key); });
    }
    return true;
  }

  bool DeleteSection(const FilePath& file, const std::wstring& section) override {
    writes.push_back(L"delete " + section);
    auto& sections = files[file.Native()];
    std::erase_if(sections, [&](const Section& s) { return Same(s.name, section); });
    return true;
  }

  bool RenameSection(const FilePath& file, const std::wstring& from,
                     const std::wstring& to) override {
    writes.push_back(L"rename " + from + L" " + to);
    if (failRenames) return false;
    Section* found = Find(file, from);
    const Section* holder = Find(file, to);
    if (found == nullptr || (holder != nullptr && holder != found)) return false;
    found->name = to;
    return true;
  }

  bool RenameSectionAt(const FilePath& file, std::size_t position, const std::wstring& name,
                       const std::wstring& to) override {
    writes.push_back(L"rename " + std::to_wstring(position) + L" " + name + L" " + to);
    auto& sections = files[file.Native()];
    if (failRenames || position >= sections.size() || !Same(sections[position].name, name)) {
      return false;
    }
    for (std::size_t other = 0; other < sections.size(); ++other) {
      if (other != position && Same(sections[other].name, to)) return false;
    }
    sections[position].name = to;
    return true;
  }

  bool DeleteSectionAt(const FilePath& file, std::size_t position,
                       const std::wstring& name) override {
    writes.push_back(L"delete " + std::to_wstring(position) + L" " + name);
    auto& sections = files[file.Native()];
    if (position >= sections.size() || !Same(sections[position].name, name)) return false;
    sections.erase(sections.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
  }

  std::optional<IniKeyValues> SectionAt(const FilePath& file, std::size_t position,
                                        const std::wstring& name,
                                        std::size_t bufferChars) override {
    ++reads;
    auto& sections = files[file.Native()];
    if (position >= sections.size() || !Same(sections[position].name, name)) return std::nullopt;
    IniKeyValues keys = sections[position].keys;
    for (auto& entry : keys) entry.second = entry.second.substr(0, bufferChars - 1);
    return keys;
  }

  bool WriteStringsAt(const FilePath& file, std::size_t position, const std::wstring& name,
                      const IniKeyWrites& changes) override {
    writes.push_back(L"write " + std::to_wstring(position) + L" " + name);
    auto& sections = files[file.Native()];
    if (position >= sections.size() || !Same(sections[position].name, name)) return false;
    auto& keys = sections[position].keys;
    for (const auto& [key, value] : changes) {
      const auto at = std::find_if(keys.begin(), keys.end(),
                                   [&](const auto& entry) { return Same(entry.first, key); });
      if (!value) {
        if (at != keys.end()) keys.erase(at);
      } else if (at != keys.end()) {
        at->second = *value;
      } else {
        keys.emplace_back(key, *value);
      }
    }
    return true;
  }

  // As the Windows function fills a buffer of bufferChars characters with NUL-separated names
  // and a final NUL: what does not fit is cut, the last name shortened.
  std::vector<std::wstring> SectionNames(const FilePath& file, std::size_t bufferChars) override {
    std::vector<std::wstring> names;
    std::size_t room = bufferChars < 2 ? 0 : bufferChars - 2;
    for (const Section& section : files[file.Native()]) {
      if (room == 0) break;
      const std::size_t length = std::min(section.name.size(), room);
      names.push_back(section.name.substr(0, length));
      room -= std::min(room, length + 1);
    }
    return names;
  }

  std::vector<Section>& SectionsOf(const FilePath& file) { return files[file.Native()]; }

  std::map<FilePath::NativeString, std::vector<Section>> files;
  std::vector<std::wstring> writes;
  std::size_t reads = 0;
  // Every rename fails, as when the file cannot be written.
  bool failRenames = false;

 private:
  static bool Same(const std::wstring& a, const std::wstring& b) { return SameIniName(a, b); }
  Section* Find(const FilePath& file, const std::wstring& section) {
    for (Section& s : files[file.Native()]) {
      if (Same(s.name, section)) return &s;
    }
    return nullptr;
  }
};

}  // namespace gm::test
