// The program's path type: the parts of a path the program takes apart, joining, and the way a
// path reaches the file functions and the logs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_path.h"

namespace gm {
namespace {

TEST(FilePath, PartsAndJoins) {
  struct Case {
    const wchar_t* path;
    const wchar_t* fileName;
    const wchar_t* parent;
    const wchar_t* withName;  // the file name replaced by "x.ini"
    const wchar_t* joined;    // "x.ini" appended
  };
  std::vector<Case> cases = {
      {L"", L"", L"", L"x.ini", L"x.ini"},
      {L"QL-GM900.exe", L"QL-GM900.exe", L"", L"x.ini", L"QL-GM900.exe/x.ini"},
      {L"/QL/QL-GM900.exe", L"QL-GM900.exe", L"/QL", L"/QL/x.ini", L"/QL/QL-GM900.exe/x.ini"},
      {L"/QL//a.bin", L"a.bin", L"/QL", L"/QL//x.ini", L"/QL//a.bin/x.ini"},
      {L"/QL/", L"", L"/QL", L"/QL/x.ini", L"/QL/x.ini"},
      {L"/a", L"a", L"/", L"/x.ini", L"/a/x.ini"},
      {L"/", L"", L"/", L"/x.ini", L"/x.ini"},
      {L"\u041C\u044B\u0448\u044C/\u9F20\u6807.bin", L"\u9F20\u6807.bin",
       L"\u041C\u044B\u0448\u044C", L"\u041C\u044B\u0448\u044C/x.ini",
       L"\u041C\u044B\u0448\u044C/\u9F20\u6807.bin/x.ini"},
  };
#ifdef _WIN32
  for (Case& c : cases) {  // a join adds the Windows separator
    if (c.joined[0] != L'\0') c.joined = nullptr;
  }
  cases.insert(cases.end(), {
                                {L"C:\\QL\\QL-GM900.exe", L"QL-GM900.exe", L"C:\\QL",
                                 L"C:\\QL\\x.ini", L"C:\\QL\\QL-GM900.exe\\x.ini"},
                                {L"C:\\a", L"a", L"C:\\", L"C:\\x.ini", L"C:\\a\\x.ini"},
                                {L"C:/QL\\a", L"a", L"C:/QL", L"C:/QL\\x.ini", L"C:/QL\\a\\x.ini"},
                                {L"\\\\server\\share", L"share", L"\\\\server",
                                 L"\\\\server\\x.ini", L"\\\\server\\share\\x.ini"},
                            });
#else
  cases.push_back({L"C:\\QL\\a", L"C:\\QL\\a", L"", L"x.ini", L"C:\\QL\\a/x.ini"});
#endif
  for (const Case& c : cases) {
    const FilePath path(c.path);
    EXPECT_EQ(path.FileName(), c.fileName) << path.Utf8();
    EXPECT_EQ(path.Parent(), FilePath(c.parent)) << path.Utf8();
    EXPECT_EQ(path.WithFileName(L"x.ini"), FilePath(c.withName)) << path.Utf8();
    if (c.joined != nullptr) {
      EXPECT_EQ(path / L"x.ini", FilePath(c.joined)) << path.Utf8();
    }
  }
#ifdef _WIN32
  EXPECT_EQ(FilePath(L"a/b") / L"c", FilePath(L"a/b\\c"));
  EXPECT_EQ(FilePath(L"a/b/c").Preferred(), FilePath(L"a\\b\\c"));
  EXPECT_TRUE(FilePath(L"C:\\a").IsAbsolute());
  EXPECT_TRUE(FilePath(L"\\\\server\\a").IsAbsolute());
  EXPECT_FALSE(FilePath(L"\\a").IsAbsolute());
  EXPECT_FALSE(FilePath(L"C:a").IsAbsolute());
#else
  EXPECT_EQ(FilePath(L"a/b").Preferred(), FilePath(L"a/b"));
  EXPECT_TRUE(FilePath(L"/a").IsAbsolute());
  EXPECT_FALSE(FilePath(L"a/b").IsAbsolute());
#endif
}

TEST(FilePath, TextReachesTheFileFunctionsAndTheLogsUnchanged) {
  const std::string utf8 =
      "/\xD0\x9C\xD1\x8B\xD1\x88\xD1\x8C/\xE9\xBC\xA0\xE6\xA0\x87 \xF0\x9F\x96\xB1.ini";
  const FilePath path = FilePath::FromUtf8(utf8);
  EXPECT_EQ(path.Utf8(), utf8);
  EXPECT_EQ(path.FileName().substr(0, 2), L"\u9F20\u6807");
#ifdef _WIN32
  EXPECT_EQ(path.Native(), path.Wide());
  EXPECT_EQ(path.Wide().size(), 15u);  // the mouse outside the BMP takes two UTF-16 units
#else
  EXPECT_EQ(path.Native(), utf8);
  // A name that is not UTF-8 (an overlong '/', a lone continuation byte, a cut sequence, a
  // surrogate) is kept byte for byte, and none of its bytes counts as a separator.
  const std::string odd = "a/\xC0\xAF\x80-\xE9\xBC-\xED\xA0\x80.ini";
  const FilePath oddPath = FilePath::FromNative(odd);
  EXPECT_EQ(oddPath.Native(), odd);
  EXPECT_EQ(oddPath.Parent(), FilePath(L"a"));
  EXPECT_EQ(FilePath::FromNative(oddPath.WithFileName(L"x").Native()), FilePath(L"a/x"));
#endif
}

}  // namespace
}  // namespace gm
