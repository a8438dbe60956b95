// The Windows key-name service behind KeyNameOf: only keys outside the program's own table
// reach it, and its answer is used as it is.
#include <gtest/gtest.h>

#include "buttons/key_names.h"
#include "buttons/system_key_name.h"

namespace gm {
namespace {

TEST(SystemKeyName, NamesLettersAndStaysOutOfTheWayOfTableKeys) {
  EXPECT_EQ(SystemKeyName(0x1Eu << 16), L"A");
  // Wine calls this key "Control"; the table's name wins.
  EXPECT_EQ(KeyNameOf(0x1Du << 16, &SystemKeyName), L"Ctrl");
  EXPECT_EQ(KeyNameOf(0x3Bu << 16, &SystemKeyName), L"F1");
  EXPECT_LE(KeyNameOf(0x64u << 16, &SystemKeyName).size(), 31u);
}

}  // namespace
}  // namespace gm
