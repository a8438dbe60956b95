// "Start with Windows" in the test prefix's registry: the check mark must show the real state
// of the Run key, whoever wrote the value, and Off must leave no value behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "profiles/auto_profiles.h"
#include "profiles/start_with_windows_win32.h"

namespace gm {
namespace {

void WriteRunValue(const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

TEST(StartWithWindows, FollowsTheRunKeyWhoeverWroteIt) {
  const std::wstring exe = L"C:\\Program Files\\QL-GM900\\QL-GM900.exe";
  ASSERT_TRUE(SetStartWithWindows(true, exe));
  EXPECT_TRUE(StartsWithWindows(exe));
  EXPECT_FALSE(StartsWithWindows(L"D:\\Elsewhere\\QL-GM900.exe"));  // a copy in another folder

  WriteRunValue(L"c:\\program files\\ql-gm900\\ql-gm900.exe");  // unquoted, another case
  EXPECT_TRUE(StartsWithWindows(exe));
  WriteRunValue(L"\"D:\\Old\\QL-GM900.exe\"");
  EXPECT_FALSE(StartsWithWindows(exe));

  ASSERT_TRUE(SetStartWithWindows(false, exe));
  EXPECT_FALSE(StartsWithWindows(exe));
  EXPECT_TRUE(SetStartWithWindows(false, exe));  // already off
}

}  // namespace
}  // namespace gm
