// The documents between gm900ctl and the running program: every request travels and comes back
// the same, answers keep any text, and what a hostile or broken client sends is refused with a
// reason.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "remote/request.h"

namespace gm::remote {
namespace {

TEST(RemoteRequest, RequestsAndAnswersComeBackAsTheyWent) {
  const Request requests[] = {
      {RequestKind::Status, {}, false},
      {RequestKind::Apply, {"C:\\Users\\Пётр\\config 0.bin"}, true},
      {RequestKind::RulesAdd, {"notepad.exe", "Profile_2"}, false},
      {RequestKind::ProfileUse, {"游戏_1"}, false},
  };
  for (const Request& request : requests) {
    const std::optional<std::string> document = FormatRequest(request);
    ASSERT_TRUE(document);
    const auto parsed = ParseRequest(*document);
    ASSERT_TRUE(std::holds_alternative<Request>(parsed)) << std::get<std::string>(parsed);
    EXPECT_EQ(std::get<Request>(parsed), request);
  }
  // Text that would change the document's lines cannot be sent.
  EXPECT_FALSE(FormatRequest({RequestKind::Apply, {"a\nend"}, false}));
  EXPECT_FALSE(FormatRequest({RequestKind::Apply, {std::string("a\0b", 3)}, false}));
  EXPECT_FALSE(FormatRequest({RequestKind::Apply,
                              {"\xC2\x9B"
                               "2J"},
                              false}));
  EXPECT_FALSE(FormatRequest({RequestKind::Apply, {"\xFF"}, false}));

  const Answer answer{AnswerStatus::Refused,
                      1,
                      {"Profile_1", "", "a\\b", "tab\there", "\x1b[2J",
                       "\xC2\x9B"
                       "x"},
                      "the window has unsaved edits\n(use --force)"};
  const auto parsed = ParseAnswer(FormatAnswer(answer));
  ASSERT_TRUE(std::holds_alternative<Answer>(parsed)) << std::get<std::string>(parsed);
  EXPECT_EQ(std::get<Answer>(parsed), answer);
  // What is not UTF-8 arrives as U+FFFD, never as bytes that break the document.
  const auto replaced = ParseAnswer(FormatAnswer({AnswerStatus::Ok, 0, {"a\xFF"}, ""}));
  ASSERT_TRUE(std::holds_alternative<Answer>(replaced));
  EXPECT_EQ(std::get<Answer>(replaced).out.at(0), "a\xEF\xBF\xBD");
}

TEST(RemoteRequest, BrokenOrHostileDocumentsAreRefusedWithAReason) {
  const std::string head = "QL-GM900 request 1\n";
  const std::pair<std::string, std::string> cases[] = {
      {"", "not a whole document"},
      {"GET / HTTP/1.1\n", "not a QL-GM900 document"},
      {"QL-GM900 request 2\ncommand status\nend\n", "another version"},
      {head + "command status\n", "cut short: no end line"},
      {head + "command status\nend", "not a whole document"},
      {head + "command format-disk\nend\n", "unknown command \"format-disk\""},
      {head + "command status\ncommand info\nend\n", "two command lines"},
      {head + "command apply\nend\n", "apply takes 1 operand(s), not 0"},
      {head + "command status\noperand x\nend\n", "status takes 0 operand(s), not 1"},
      {head + "command apply\noperand \nend\n", "an empty operand"},
      {head + "command apply\noperand a\roperand b\nend\n", "control character in a line"},
      {head + "command apply\noperand \xC0\xAF\nend\n", "not UTF-8"},
      {head + "force\nforce\ncommand status\nend\n", "two force lines"},
      {head + "forced\ncommand status\nend\n", "unknown line \"forced\""},
      {head + "end\n", "no command line"},
      {head + "command status\n" + std::string(20000, 'x') + "\nend\n", "too large"},
  };
  for (const auto& [document, reason] : cases) {
    const auto parsed = ParseRequest(document);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << reason;
    EXPECT_EQ(std::get<std::string>(parsed), reason);
  }
  std::string manyOperands = head + "command rules-add\n";
  for (int i = 0; i < 5; ++i) manyOperands += "operand x\n";
  EXPECT_EQ(std::get<std::string>(ParseRequest(manyOperands + "end\n")), "too many operands");

  const std::string answerHead = "QL-GM900 answer 1\n";
  for (const std::string& bad :
       {answerHead + "status ok\nend\n", answerHead + "status ok\nexit 256\nend\n",
        answerHead + "status maybe\nexit 0\nend\n",
        answerHead + "status ok\nexit 0\nout \\x4\nend\n",
        answerHead + "status ok\nexit 0\nerr a\nerr b\nend\n"}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseAnswer(bad))) << bad;
  }
}

}  // namespace
}  // namespace gm::remote
