#include "remote/request.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <span>
#include <utility>

#include "platform/text_codec.h"

namespace gm::remote {
namespace {

constexpr std::string_view kRequestHead = "QL-GM900 request 1";
constexpr std::string_view kAnswerHead = "QL-GM900 answer 1";
constexpr std::size_t kMaxLines = 4096;

struct CommandInfo {
  RequestKind kind;
  std::string_view word;
  std::size_t operands;
};

constexpr std::array<CommandInfo, 9> kCommands = {{
    {RequestKind::Status, "status", 0},
    {RequestKind::Apply, "apply", 1},
    {RequestKind::Info, "info", 0},
    {RequestKind::Verify, "verify", 1},
    {RequestKind::ProfileList, "profile-list", 0},
    {RequestKind::ProfileUse, "profile-use", 1},
    {RequestKind::RulesList, "rules-list", 0},
    {RequestKind::RulesAdd, "rules-add", 2},
    {RequestKind::RulesRemove, "rules-remove", 1},
}};

constexpr std::array<std::string_view, 3> kStatusWords = {"ok", "refused", "failed"};

bool IsUtf8(std::string_view text) {
  return DecodeUtf8(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))
      .has_value();
}

// C0 controls, DEL and the C1 controls (U+0080..U+009F, as UTF-8 C2 80..C2 9F).
bool HasControl(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      return true;
    }
  }
  return false;
}

bool Travels(std::string_view text) {
  return IsUtf8(text) && !HasControl(text);
}

// Splits at LF; the last piece (after the final LF) must be empty.
std::optional<std::vector<std::string_view>> Lines(std::string_view document) {
  std::vector<std::string_view> lines;
  while (!document.empty()) {
    const std::size_t end = document.find('\n');
    if (end == std::string_view::npos || lines.size() == kMaxLines) return std::nullopt;
    lines.push_back(document.substr(0, end));
    document.remove_prefix(end + 1);
  }
  return lines;
}

std::pair<std::string_view, std::string_view> KeyAndValue(std::string_view line) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return {line, {}};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

// A document's lines between its head and "end", checked for size, encoding and controls.
std::variant<std::vector<std::string_view>, std::string> Body(std::string_view document,
                                                              std::string_view head,
                                                              std::size_t maxBytes) {
  if (document.size() > maxBytes) return std::string("too large");
  if (!IsUtf8(document)) return std::string("not UTF-8");
  std::optional<std::vector<std::string_view>> lines = Lines(document);
  if (!lines || lines->empty()) return std::string("not a whole document");
  if ((*lines)[0] != head) {
    return std::string(lines->front().starts_with("QL-GM900 ") ? "another version"
                                                               : "not a QL-GM900 document");
  }
  if (lines->size() < 2 || lines->back() != "end") return std::string("cut short: no end line");
  for (const std::string_view line : *lines) {
    if (HasControl(line)) return std::string("control character in a line");
  }
  return std::vector<std::string_view>(lines->begin() + 1, lines->end() - 1);
}

std::string Escaped(std::string_view text) {
  if (!IsUtf8(text)) {
    std::u16string decoded = *DecodeUtf8(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), true);
    std::vector<std::uint8_t> bytes;
    AppendUtf8(decoded, bytes);
    return Escaped(std::string(bytes.begin(), bytes.end()));
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c1 =
        c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    const std::size_t count = c1 ? 2 : (c < 0x20 || c == 0x7F || c == '\\') ? 1 : 0;
    if (count == 0) out += static_cast<char>(c);
    for (std::size_t k = 0; k < count; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      out += "\\x";
      out += kHex[b / 16];
      out += kHex[b % 16];
    }
    if (count == 2) ++i;
  }
  return out;
}

// The text that Escaped wrote; nothing when a \ starts no whole \xNN.
std::optional<std::string> Unescaped(std::string_view text) {
  const auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 3 >= text.size()) return std::nullopt;
    if (text[i + 1] != 'x' || digit(text[i + 2]) < 0 || digit(text[i + 3]) < 0) return std::nullopt;
    out += static_cast<char>(digit(text[i + 2]) * 16 + digit(text[i + 3]));
    i += 3;
  }
  return out;
}

}  // namespace

std::string_view CommandWord(RequestKind kind) {
  for (const CommandInfo& command : kCommands) {
    if (command.kind == kind) return command.word;
  }
  return "status";
}

std::optional<std::string> FormatRequest(const Request& request) {
  std::string document(kRequestHead);
  document += "\ncommand ";
  document += CommandWord(request.kind);
  document += '\n';
  for (const std::string& operand : request.operands) {
    if (!Travels(operand)) return std::nullopt;
    document += "operand " + operand + "\n";
  }
  if (request.force) document += "force\n";
  document += "end\n";
  if (document.size() > kMaxRequestBytes) return std::nullopt;
  return document;
}

std::variant<Request, std::string> ParseRequest(std::string_view document) {
  auto body = Body(document, kRequestHead, kMaxRequestBytes);
  if (auto* problem = std::get_if<std::string>(&body)) return std::move(*problem);
  Request request;
  const CommandInfo* command = nullptr;
  bool forceSeen = false;
  for (const std::string_view line : std::get<std::vector<std::string_view>>(body)) {
    const auto [key, value] = KeyAndValue(line);
    if (key == "command") {
      if (command != nullptr) return std::string("two command lines");
      for (const CommandInfo& known : kCommands) {
        if (known.word == value) command = &known;
      }
      if (command == nullptr) return "unknown command \"" + Escaped(value) + "\"";
    } else if (key == "operand") {
      if (request.operands.size() == kMaxOperands) return std::string("too many operands");
      request.operands.emplace_back(value);
    } else if (key == "force" && line == "force") {
      if (forceSeen) return std::string("two force lines");
      forceSeen = true;
      request.force = true;
    } else {
      return "unknown line \"" + Escaped(line.substr(0, 40)) + "\"";
    }
  }
  if (command == nullptr) return std::string("no command line");
  if (request.operands.size() != command->operands) {
    return std::string(command->word) + " takes " + std::to_string(command->operands) +
           " operand(s), not " + std::to_string(request.operands.size());
  }
  for (const std::string& operand : request.operands) {
    if (operand.empty()) return std::string("an empty operand");
  }
  request.kind = command->kind;
  return request;
}

std::string FormatAnswer(const Answer& answer) {
  std::string document(kAnswerHead);
  document += "\nstatus ";
  document += kStatusWords[static_cast<std::size_t>(answer.status)];
  document += "\nexit " + std::to_string(answer.exitCode) + "\n";
  const std::string tail = answer.err.empty() ? "end\n" : "err " + Escaped(answer.err) + "\nend\n";
  std::size_t lines = 3;
  for (const std::string& line : answer.out) {
    std::string text = "out " + Escaped(line) + "\n";
    if (document.size() + text.size() + tail.size() > kMaxAnswerBytes || ++lines >= kMaxLines) {
      break;
    }
    document += text;
  }
  document += tail;
  return document;
}

std::variant<Answer, std::string> ParseAnswer(std::string_view document) {
  auto body = Body(document, kAnswerHead, kMaxAnswerBytes);
  if (auto* problem = std::get_if<std::string>(&body)) return std::move(*problem);
  Answer answer;
  bool statusSeen = false;
  bool exitSeen = false;
  bool errSeen = false;
  for (const std::string_view line : std::get<std::vector<std::string_view>>(body)) {
    const auto [key, value] = KeyAndValue(line);
    if (key == "status" && !statusSeen) {
      statusSeen = true;
      std::size_t i = 0;
      while (i < kStatusWords.size() && kStatusWords[i] != value) ++i;
      if (i == kStatusWords.size()) return std::string("unknown status");
      answer.status = static_cast<AnswerStatus>(i);
    } else if (key == "exit" && !exitSeen) {
      exitSeen = true;
      const auto [end, error] =
          std::from_chars(value.data(), value.data() + value.size(), answer.exitCode);
      if (error != std::errc() || end != value.data() + value.size() || answer.exitCode < 0 ||
          answer.exitCode > 255) {
        return std::string("bad exit status");
      }
    } else if (key == "out" || (key == "err" && !errSeen)) {
      std::optional<std::string> text = Unescaped(value);
      if (!text) return std::string("bad escape");
      if (key == "out") {
        answer.out.push_back(std::move(*text));
      } else {
        errSeen = true;
        answer.err = std::move(*text);
      }
    } else {
      return std::string("unknown or repeated line");
    }
  }
  if (!statusSeen || !exitSeen) return std::string("no status or exit line");
  return answer;
}

}  // namespace gm::remote
