// The in-place editor's commit rules for names and for delay items.
#include <gtest/gtest.h>

#include "macro/list_editor.h"

namespace gm {
namespace {

std::optional<std::wstring> Line(EditMode mode, const std::wstring& text) {
  const std::optional<EditorCommit> commit = CommitEditorText(mode, text);
  if (!commit) return std::nullopt;
  EXPECT_EQ(commit->storeMacro, mode == EditMode::Delay) << "store request for " << int(mode);
  return commit->line;
}

TEST(ListEditorTest, NamesAreTakenAsTyped) {
  for (EditMode mode : {EditMode::ProfileName, EditMode::MacroName}) {
    EXPECT_EQ(Line(mode, L" Game 2 ms "), L" Game 2 ms ");
    EXPECT_EQ(Line(mode, L""), L"");
  }
}

TEST(ListEditorTest, DelaysAreNormalisedAndCapped) {
  EXPECT_EQ(Line(EditMode::Delay, L"250ms"), L"250 ms");
  EXPECT_EQ(Line(EditMode::Delay, L"1 2 0 ms"), L"120 ms");
  EXPECT_EQ(Line(EditMode::Delay, L"6553500ms"), L"6553500 ms");
  EXPECT_EQ(Line(EditMode::Delay, L"6553501ms"), L"6553500 ms");
  // Far beyond 64 bits: still the cap, not a wrapped number.
  EXPECT_EQ(Line(EditMode::Delay, L"99999999999999999999999999ms"), L"6553500 ms");
  EXPECT_EQ(Line(EditMode::Delay, L"ms"), L" ms");  // an empty number, read as 0
}

// A delay text that is not digits and "ms" leaves the old line in place.
TEST(ListEditorTest, DelayTextsThatAreNoDelayChangeNothing) {
  EXPECT_EQ(Line(EditMode::Delay, L"12ams"), std::nullopt);
  EXPECT_EQ(Line(EditMode::Delay, L"250"), std::nullopt);  // the unit was deleted
  EXPECT_EQ(Line(EditMode::Delay, L"-5ms"), std::nullopt);
  EXPECT_EQ(Line(EditMode::Delay, L""), std::nullopt);
}

}  // namespace
}  // namespace gm
