// What gm900ctl asks the running program and what the program answers, as small UTF-8
// documents: a versioned first line, then one "key value" line each, then "end". The parser
// trusts nothing it is sent: a wrong version, an unknown key or command, a wrong operand count,
// control characters, text that is not UTF-8, too many lines or bytes, or a missing "end" (a
// cut document) each give a reason, never a crash.
//
//   QL-GM900 request 1          QL-GM900 answer 1
//   command apply               status ok | refused | failed
//   operand C:\x\config0.bin    exit 0
//   force                       out LINE   (any number: standard output, line by line)
//   end                         err LINE   (at most one: the message for standard error)
//                               end
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace gm::remote {

inline constexpr int kProtocolVersion = 1;
inline constexpr std::size_t kMaxRequestBytes = 16 * 1024;
inline constexpr std::size_t kMaxAnswerBytes = 1024 * 1024;
inline constexpr std::size_t kMaxOperands = 4;

enum class RequestKind {
  Status,       // program version, mouse connected, profile in use, unsaved edits
  Apply,        // operand: a configuration file, applied as the configuration in use
  Info,         // the current profile and settings block read back from the mouse
  Verify,       // operand: a configuration file, compared with what the mouse holds
  ProfileList,  // the named configurations
  ProfileUse,   // operand: a profile name, chosen and saved
  RulesList,    // the automatic profiles' rules
  RulesAdd,     // operands: program, profile
  RulesRemove,  // operand: program
};

struct Request {
  RequestKind kind = RequestKind::Status;
  std::vector<std::string> operands;  // UTF-8
  bool force = false;                 // discard the window's unsaved edits
  friend bool operator==(const Request&, const Request&) = default;
};

// The request's command word ("apply", "profile-use", ...).
std::string_view CommandWord(RequestKind kind);

// The document of a request; nothing when an operand cannot travel (a line break, NUL or other
// control character, text that is not UTF-8) or the document would be too large.
std::optional<std::string> FormatRequest(const Request& request);
// The request, or why it is refused (one line, for the answer and the ui log).
std::variant<Request, std::string> ParseRequest(std::string_view document);

enum class AnswerStatus { Ok, Refused, Failed };

struct Answer {
  AnswerStatus status = AnswerStatus::Ok;
  int exitCode = 0;
  std::vector<std::string> out;  // standard output, line by line
  std::string err;               // one line for standard error, or empty
  friend bool operator==(const Answer&, const Answer&) = default;
};

// The document of an answer. Control characters in the texts are written as \xNN and texts
// beyond the size limit are cut, so that every answer can be sent.
std::string FormatAnswer(const Answer& answer);
std::variant<Answer, std::string> ParseAnswer(std::string_view document);

}  // namespace gm::remote
