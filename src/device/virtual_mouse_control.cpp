#include "device/virtual_mouse_control.h"

#include <algorithm>
#include <charconv>

#include "platform/c_file.h"
#include "platform/file_ops.h"

namespace gm {
namespace {

std::optional<std::uint8_t> ParseByte(std::string_view word) {
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    word.remove_prefix(2);
    base = 16;
  }
  unsigned value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (error != std::errc() || end != word.data() + word.size() || value > 0xFF) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(value);
}

// The words of a line, split at blanks (spaces, tabs, carriage returns and the like).
std::vector<std::string_view> SplitWords(std::string_view line) {
  static constexpr std::string_view kBlanks = " \t\r\n\v\f";
  std::vector<std::string_view> words;
  for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
    words.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kBlanks, end);
  }
  return words;
}

}  // namespace

std::optional<VirtualMouseCommand> ParseVirtualMouseCommand(std::string_view line) {
  const std::vector<std::string_view> words = SplitWords(line);
  if (words.empty()) return std::nullopt;
  const std::string_view verb = words.front();
  std::vector<std::uint8_t> numbers;
  for (std::size_t k = 1; k < words.size(); ++k) {
    const auto value = ParseByte(words[k]);
    if (!value) return std::nullopt;
    numbers.push_back(*value);
  }

  VirtualMouseCommand command;
  if (verb == "unplug" && numbers.empty()) {
    command.kind = VirtualMouseCommand::Kind::Unplug;
  } else if (verb == "plug" && numbers.empty()) {
    command.kind = VirtualMouseCommand::Kind::Plug;
  } else if (verb == "dpi" && numbers.size() == 1) {
    command.report = {6, 7, 1, numbers[0]};
  } else if (verb == "macro" && numbers.size() == 1) {
    command.report = {6, 7, 9, numbers[0]};
  } else if (verb == "event" && numbers.size() == 2) {
    command.report = {6, 7, numbers[0], numbers[1]};
  } else if (verb == "report" && !numbers.empty()) {
    command.report = std::move(numbers);
  } else {
    return std::nullopt;
  }
  return command;
}

std::vector<std::string> ControlFileReader::TakeNewLines() {
  std::vector<std::string> lines;
  const std::optional<FileFacts> facts = LookAtFile(file_);
  if (!facts) return lines;
  const std::uintmax_t size = facts->size;
  if (size < offset_) {  // the file was truncated or replaced: start again from its top
    offset_ = 0;
    pending_.clear();
  }
  if (size == offset_) return lines;
  const CFile in = OpenCFile(file_, "rb");
  if (!in || std::fseek(in.get(), static_cast<long>(offset_), SEEK_SET) != 0) return lines;
  std::string chunk(static_cast<std::size_t>(size - offset_), '\0');
  chunk.resize(std::fread(chunk.data(), 1, chunk.size(), in.get()));
  offset_ += chunk.size();
  pending_ += chunk;
  std::size_t start = 0;
  for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = pending_.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  pending_.erase(0, start);
  return lines;
}

}  // namespace gm
