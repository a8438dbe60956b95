// Requests and answers between gm900ctl and the running program, from bytes nobody vouches for:
// a document that parses is formatted again into one that parses to the same thing, and an
// answer keeps any texts it is given.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz_support.h"
#include "remote/request.h"

using gm::remote::Answer;
using gm::remote::Request;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view document(reinterpret_cast<const char*>(data), size);

  const auto request = gm::remote::ParseRequest(document);
  if (const auto* parsed = std::get_if<Request>(&request)) {
    const std::optional<std::string> again = gm::remote::FormatRequest(*parsed);
    GM_FUZZ_CHECK(again.has_value());
    const auto reparsed = gm::remote::ParseRequest(*again);
    GM_FUZZ_CHECK(std::holds_alternative<Request>(reparsed));
    GM_FUZZ_CHECK(std::get<Request>(reparsed) == *parsed);
  }

  const auto answer = gm::remote::ParseAnswer(document);
  if (const auto* parsed = std::get_if<Answer>(&answer)) {
    const auto reparsed = gm::remote::ParseAnswer(gm::remote::FormatAnswer(*parsed));
    GM_FUZZ_CHECK(std::holds_alternative<Answer>(reparsed));
    GM_FUZZ_CHECK(std::get<Answer>(reparsed).out.size() <= parsed->out.size());
  }

  // The input's halves as the texts of an answer: it always formats into a document that parses.
  Answer made;
  made.out.emplace_back(document.substr(0, size / 2));
  made.err = std::string(document.substr(size / 2));
  GM_FUZZ_CHECK(
      std::holds_alternative<Answer>(gm::remote::ParseAnswer(gm::remote::FormatAnswer(made))));
  return 0;
}
