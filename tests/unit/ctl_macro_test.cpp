// gm900ctl's macro commands as the tool runs them: text in, record.ini out, by the macro
// manager's rules, and the warnings about damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <string>
#include <vector>

#include "cli/macro_commands.h"
#include "ctl_test_args.h"
#include "fake_host.h"
#include "macro/macro_manager.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm::cli {
namespace {

struct CtlRun {
  int status = 0;
  std::string out;
  std::string err;
};

class CtlMacro : public ::testing::Test {
 protected:
  CtlRun Ctl(std::vector<std::string> words) {
    test::Paths args;
    for (const std::string& word : words) {
      args.push_back(FilePath::FromUtf8(word));
    }
    OutText out;
    OutText err;
    const int status = MacroCommand(args, {out, err}, ini);
    return {status, out.str(), err.str()};
  }
  // `macro add` with the text in a file.
  CtlRun Add(const std::string& name, const std::string& text,
             std::vector<std::string> extra = {}) {
    test::WriteBytes(textFile, test::AsciiBytes(text));
    std::vector<std::string> words = {"add", record, name, textFile.string()};
    words.insert(words.end(), extra.begin(), extra.end());
    return Ctl(words);
  }

  test::TempDir dir;
  std::string record = (dir / "record.ini").string();
  std::filesystem::path textFile = dir / "macro.txt";
  PortableIniFile ini;
};

// What add writes is what the macro manager writes for the same macro, and show gives back the
// text that add reads: shown and added again, a macro is the same section.
TEST_F(CtlMacro, AddWritesAsTheManagerAndShowRoundTrips) {
  const test::TempDir other;
  const std::filesystem::path managed = other / "record.ini";
  MacroStore store(ini, managed);
  test::FakeHost host;
  MacroOptions options;
  MacroManager manager(store, host, options, Language::English);
  manager.NewMacro();  // Macro_0, creating record.ini
  for (const wchar_t* item : {L"Ctrl   Dn", L"20 ms", L"C   Dn", L"C   Up", L"Ctrl   Up"}) {
    manager.AppendItem(item);
  }
  manager.ToggleDelayOption();
  manager.ToggleLoopOption();
  manager.SetRepeatText(L"3");
  manager.StoreSelected();

  const std::string text = "Ctrl down\n20 ms\nC down\nC up\nCtrl up\nloop 3 times\ndelays on\n";
  ASSERT_EQ(
      Add("Macro_0", "# copy\r\n\r\nctrl DOWN\n  20ms \nc down\nC up\nCtrl up\n", {"--loop", "3"})
          .status,
      0);
  EXPECT_EQ(test::ReadBytes(record), test::ReadBytes(managed));
  const CtlRun shown = Ctl({"show", record, "macro_0"});
  EXPECT_EQ(shown.out, text);

  // Every kind of line: a text the program does not write itself, kept with its control
  // character and backslash; the loop off with a count kept for later.
  const std::string odd =
      "A down\nitem Mouse \\x1b\\\\ 7\n65536 ms\nloop off, count 9\ndelays off\n";
  ASSERT_EQ(Add("Odd", odd).status, 0);
  const CtlRun oddShown = Ctl({"show", record, "Odd"});
  EXPECT_EQ(oddShown.out,
            "A down\nitem Mouse \\x1b\\\\ 7\n65536 ms\nloop off, count 9\ndelays off\n");
  ASSERT_EQ(Add("Odd again", oddShown.out).status, 0);
  for (const wchar_t* key : {L"DelayTimeSelStatus", L"LoopTimeSelStatus", L"MacroLoopTimes",
                             L"ItemCount", L"Item0", L"Item1", L"Item2"}) {
    EXPECT_EQ(ini.ReadString(std::filesystem::path(record), L"Odd again", key),
              ini.ReadString(std::filesystem::path(record), L"Odd", key))
        << key;
  }
  EXPECT_EQ(ini.ReadString(std::filesystem::path(record), L"Odd", L"Item1"), L"Mouse \x1b\\ 7");
  EXPECT_EQ(Ctl({"list", record}).out, "1 Macro_0\n2 Odd\n3 Odd again\n");
}

// The manager's refusals, each with its own message, and record.ini untouched by them.
TEST_F(CtlMacro, AddKeepsTheManagersRules) {
  ASSERT_EQ(Add("Fire", "A down\nA up\n").status, 0);
  const std::vector<std::uint8_t> before = test::ReadBytes(record);
  std::string tooLong;
  for (int i = 0; i < 64; ++i) tooLong += i % 2 == 0 ? "A down\n" : "A up\n";
  const struct {
    std::string name;
    std::string text;
    std::string message;
  } refusals[] = {
      {"FIRE", "", "\"FIRE\": Macro name already exists"},
      {"   ", "", "Macro name is blank"},
      {"Long", tooLong, "does not fit into the mouse: its events need 128 bytes"},
      {"Bad", "A down\nA sideways\n", "line 2: \"A sideways\" is not an event"},
      {"Bad", "Enterr down\n", "line 1: unknown key \"Enterr\" (nearest: \"Enter\")"},
      {"Bad", "Application down\n", "unknown key \"Application\""},
      {"Bad", "loop 0 times\n", "line 1: the count is 1 to 65535"},
  };
  for (const auto& refusal : refusals) {
    const CtlRun run = Add(refusal.name, refusal.text);
    EXPECT_EQ(run.status, 1) << refusal.message;
    EXPECT_NE(run.err.find(refusal.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(test::ReadBytes(record), before);

  // 31 characters at most, cut with a note; 19 macros at most.
  const CtlRun cut = Ctl({"add", record, std::string(40, 'n')});
  EXPECT_EQ(cut.status, 0);
  EXPECT_NE(cut.err.find("cut to 31"), std::string::npos);
  for (int i = 2; i < 19; ++i) ASSERT_EQ(Ctl({"add", record, "M" + std::to_string(i)}).status, 0);
  const CtlRun twentieth = Ctl({"add", record, "M19"});
  EXPECT_EQ(twentieth.status, 1);
  EXPECT_NE(twentieth.err.find("Macro numbers up to 19."), std::string::npos);
  const CtlRun list = Ctl({"list", record});
  EXPECT_NE(list.out.find("2 " + std::string(31, 'n') + "\n"), std::string::npos);
  // An empty macro is New's section: MacroLoopTimes alone.
  EXPECT_EQ(ini.ReadString(std::filesystem::path(record), L"M2", L"MacroLoopTimes"), L"1");
  EXPECT_EQ(ini.ReadString(std::filesystem::path(record), L"M2", L"ItemCount"), L"");
}

// The lists read the names that begin within 255 characters: a name that would begin past them
// is refused, as a rename that would push one past them.
TEST_F(CtlMacro, NamesStayWithinTheWindowOfTheLists) {
  ASSERT_EQ(Ctl({"add", record, "a"}).status, 0);
  for (char c = 'b'; c < 'j'; ++c) ASSERT_EQ(Ctl({"add", record, std::string(31, c)}).status, 0);
  const CtlRun tenth = Ctl({"add", record, "j"});  // would begin at 258
  EXPECT_EQ(tenth.status, 1);
  EXPECT_NE(tenth.err.find("No room for another macro"), std::string::npos);
  const CtlRun longer = Ctl({"rename", record, "a", std::string(31, 'a')});
  EXPECT_EQ(longer.status, 1);
  EXPECT_NE(longer.err.find("Macro name too long"), std::string::npos);
  EXPECT_EQ(Ctl({"rename", record, "a", "aa"}).status, 0);
}

TEST_F(CtlMacro, RenameAndDeleteByTheManagersRules) {
  test::WriteBytes(record, test::Utf16File(u"[Fire]\r\nItemCount=1\r\nItem0=A   Dn\r\n[Jump]\r\n"
                                           u"ItemCount=1\r\nItem0=B   Dn\r\n"));
  const std::vector<std::uint8_t> before = test::ReadBytes(record);
  EXPECT_EQ(Ctl({"rename", record, "fire", " Fire "}).status, 0);  // unchanged: no rename
  EXPECT_EQ(Ctl({"rename", record, "Fire", "JUMP"}).status, 1);
  EXPECT_EQ(Ctl({"rename", record, "Nothing", "X"}).status, 1);
  EXPECT_EQ(Ctl({"delete", record, "Nothing"}).status, 1);
  EXPECT_EQ(test::ReadBytes(record), before);
  EXPECT_EQ(Ctl({"rename", record, "fire", "Shoot"}).status, 0);
  EXPECT_EQ(Ctl({"delete", record, "jump"}).status, 0);
  EXPECT_EQ(test::ReadBytes(record),
            test::Utf16File(u"[Shoot]\r\nItemCount=1\r\nItem0=A   Dn\r\n"));
  EXPECT_EQ(Ctl({"show", record, "Jump"}).status, 1);
  EXPECT_EQ(Ctl({"frobnicate", record}).status, 2);
  EXPECT_EQ(Ctl({"show", record}).status, 2);
}

// A damaged record.ini is used as the program uses it, with a warning for each thing the
// program passes over in silence; a file that is no file is refused.
TEST_F(CtlMacro, DamagedRecordIniWarnsAndNonFilesAreRefused) {
  test::WriteBytes(record, test::Utf16File(u"[A]\r\nItemCount=3\r\nItem0=A   Dn\r\n"
                                           u"[B]\r\nItemCount=-2\r\n[C]\r\nItemCount=x\r\n"
                                           u"[a]\r\nItemCount=1\r\nItem0=B   Dn\r\n"));
  const CtlRun list = Ctl({"list", record});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "1 A\n2 B\n3 C\n4 a\n");
  for (const char* warning :
       {"macro \"A\": ItemCount 3, but only 1 of its items are present",
        "macro \"B\": ItemCount -2 is negative", "macro \"C\": ItemCount \"x\" is not a number",
        "2 sections are named \"A\""}) {
    EXPECT_NE(list.err.find(warning), std::string::npos) << warning << "\n" << list.err;
  }
  // Items the count promises but the file lacks are empty texts, which show keeps.
  const CtlRun shown = Ctl({"show", record, "A"});
  EXPECT_EQ(shown.out, "A down\nitem\nitem\nloop off\ndelays off\n");
  ASSERT_EQ(Add("Copy", shown.out).status, 0);
  EXPECT_EQ(ini.ReadString(std::filesystem::path(record), L"Copy", L"ItemCount"), L"3");

  OutText err;
  EXPECT_FALSE(UsableRecordIni(dir / "missing.ini", err));
  EXPECT_FALSE(UsableRecordIni(dir.path(), err));
  EXPECT_NE(err.str().find("not a regular file"), std::string::npos);
  EXPECT_NE(err.str().find("no such file"), std::string::npos);
  EXPECT_EQ(Ctl({"list", dir.path().string()}).status, 1);
#ifndef _WIN32
  // Without permission to read it (root reads everything: nothing to try then).
  if (geteuid() != 0) {
    std::filesystem::permissions(record, std::filesystem::perms::none);
    EXPECT_FALSE(UsableRecordIni(FilePath::FromUtf8(record), err));
    EXPECT_NE(err.str().find("cannot be read"), std::string::npos);
    std::filesystem::permissions(record, std::filesystem::perms::owner_all);
  }
#endif
}

// Every message says what is wrong in one line, with outside text escaped: control characters
// (C1 too) in names and paths, a name that is not UTF-8, a text too large or no file at all, a
// delay longer than the editor holds, a name cut by the program's count, and - where an INI
// file is read by its path.
TEST_F(CtlMacro, MessagesNameTheFaultAndEscapeWhatCameFromOutside) {
  ASSERT_EQ(Ctl({"add", record,
                 "Csi\xC2\x9B"
                 "2J"})
                .status,
            0);
  EXPECT_EQ(Ctl({"list", record}).out, "1 Csi\\x9b2J\n");
  const CtlRun missing = Ctl({"show", record, "No\xC2\x9Bpe"});
  EXPECT_NE(missing.err.find("no macro named \"No\\x9bpe\""), std::string::npos) << missing.err;
  const CtlRun path = Ctl({"list", (dir / "x\x1b[2Jy.ini").string()});
  EXPECT_NE(path.err.find("x\\x1b[2Jy.ini: no such file"), std::string::npos) << path.err;
  const CtlRun verb = Ctl({"li\x1bst", record});
  EXPECT_NE(verb.err.find("\"li\\x1bst\""), std::string::npos) << verb.err;
  EXPECT_NE(verb.err.find("(see gm900ctl help macro)"), std::string::npos) << verb.err;

  struct Case {
    std::vector<std::string> words;
    std::string message;
  };
  test::WriteBytes(dir / "big.txt", std::vector<std::uint8_t>(2 << 20, 'A'));
  const std::string emoji = "\xF0\x9F\x98\x80";  // two UTF-16 units
  std::string sixteen;
  for (int i = 0; i < 16; ++i) sixteen += emoji;
  std::vector<Case> cases = {
      {{"add", record, "Big", (dir / "big.txt").string()}, "big.txt: too large"},
      {{"add", record, "Dir", dir.path().string()}, ": not a regular file"},
      {{"add", record, sixteen}, "cut to 31 UTF-16 units"},
      {{"list", "-"}, "read by their path, not from standard input"},
  };
#ifndef _WIN32
  // A POSIX command line is bytes; a Windows one is UTF-16, always text.
  cases.push_back({{"add", record, "\xFF\xFEname"}, "\"\\xff\\xfename\": not UTF-8"});
  cases.push_back({{"rename", record,
                    "Csi\xC2\x9B"
                    "2J",
                    "\xC0"},
                   "\"\\xc0\": not UTF-8"});
#endif
  for (const Case& c : cases) {
    const CtlRun run = Ctl(c.words);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.message << "\n" << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
#ifndef _WIN32
  const CtlRun zero = Ctl({"add", record, "Zero", "/dev/zero"});
  EXPECT_NE(zero.err.find("/dev/zero: too large"), std::string::npos) << zero.err;
#endif
  const CtlRun delay = Add("Wait", "A down\n2147483648 ms\nA up\n");
  EXPECT_EQ(delay.status, 0) << delay.err;
  EXPECT_NE(delay.err.find("line 2: 2147483648 ms is more than a delay holds; it is 6553500 ms"),
            std::string::npos)
      << delay.err;
}

}  // namespace
}  // namespace gm::cli
