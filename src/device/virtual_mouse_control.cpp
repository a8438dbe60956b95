#include "device/virtual_mouse_control.h"

#include <charconv>
#include <fstream>
#include <sstream>

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

}  // namespace

std::optional<VirtualMouseCommand> ParseVirtualMouseCommand(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::string verb;
  if (!(in >> verb)) return std::nullopt;
  std::vector<std::uint8_t> numbers;
  for (std::string word; in >> word;) {
    const auto value = ParseByte(word);
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
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file_, error);
  if (error) return lines;
  if (size < offset_) {  // the file was truncated or replaced: start again from its top
    offset_ = 0;
    pending_.clear();
  }
  if (size == offset_) return lines;
  std::ifstream in(file_, std::ios::binary);
  if (!in) return lines;
  in.seekg(static_cast<std::streamoff>(offset_));
  std::string chunk(static_cast<std::size_t>(size - offset_), '\0');
  in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  chunk.resize(static_cast<std::size_t>(in.gcount()));
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
