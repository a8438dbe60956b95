// Files are replaced, never rewritten in place: every write path with a failure injected at each
// step of its replace leaves each file old or new (a pair both old or both new), no temporary
// file, and a reported failure; links, special files, modes and a user's own NAME.tmp; text that
// would change record.ini's structure.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/app_state.h"
#include "cli/ctl_commands.h"
#include "cli/macro_commands.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "fake_host.h"
#include "macro/macro_store.h"
#include "platform/file_replace.h"
#include "platform/portable_ini_file.h"
#ifdef _WIN32
#include "platform/win32_ini_file.h"
#endif
#include "ctl_test_args.h"
#include "temp_dir.h"

namespace gm {
namespace {

namespace fs = std::filesystem;
using test::Paths;
using Contents = std::map<std::string, std::vector<std::uint8_t>>;

Contents Snapshot(const fs::path& folder, const std::vector<std::string>& names) {
  Contents contents;
  for (const std::string& name : names) contents[name] = test::ReadBytes(folder / name);
  return contents;
}

// A program folder with three macros and a JSON document beside it, made once and copied.
void MakeFolder(const fs::path& folder) {
  static const test::TempDir made;
  static const bool filled = [] {
    PortableIniFile ini;
    if (!WriteFactoryFiles(made.path(), ini).empty()) return false;
    MacroStore store(ini, made / "record.ini");
    for (const wchar_t* name : {L"One", L"Two", L"Three"}) {
      if (!store.Add(name, 1) ||
          store.Store(Macro{name, false, false, L"1", {L"A   Dn", L"A   Up"}}) !=
              MacroStore::StoreResult::Written) {
        return false;
      }
    }
    test::WriteBytes(made / "mine.json", test::AsciiBytes(R"({"general": {"reportRate": 500}})"));
    return true;
  }();
  ASSERT_TRUE(filled);
  for (const std::string& name : test::FilesIn(made.path())) {
    if (fs::is_regular_file(made / name)) fs::copy_file(made / name, folder / name);
  }
}

int Cli(const std::function<int(cli::Args, cli::Streams)>& command, Paths args) {
  cli::OutText out, err;
  return command(args, {out, err});
}

// One write path: what it changes and how it runs; true when it reports success.
struct WritePath {
  const char* what;
  std::vector<std::string> files;  // written together, both or neither
  std::function<bool(const fs::path& folder, IniFile& ini)> run;
};

bool SaveInWindow(const fs::path& folder, IniFile& ini, bool captionsOnly) {
  AppState state;
  state.programPath = folder / "QL-GM900.exe";
  test::FakeHost host;
  ConfigurationFiles files(state, ini, host);
  files.LoadConfiguration();
  files.LoadCaptions();
  state.record.at(3) ^= 0x5A;
  state.labels[4] = L"Changed";
  if (captionsOnly) {
    files.SaveCaptions();
  } else {
    files.SaveConfigurationAndCaptions();
  }
  return host.messages.empty();
}

const std::vector<WritePath>& WritePaths() {
  static const std::vector<WritePath> paths = {
      {"the window's Save",
       {"config0.bin", "str0.ini"},
       [](const fs::path& folder, IniFile& ini) { return SaveInWindow(folder, ini, false); }},
      {"the window's captions",
       {"str0.ini"},
       [](const fs::path& folder, IniFile& ini) { return SaveInWindow(folder, ini, true); }},
      {"a macro stored",
       {"record.ini"},
       [](const fs::path& folder, IniFile& ini) {
         return MacroStore(ini, folder / "record.ini")
                    .Store(Macro{L"Two", true, true, L"3", {L"B   Dn", L"20 ms", L"B   Up"}}) ==
                MacroStore::StoreResult::Written;
       }},
      {"a macro renamed",
       {"record.ini"},
       [](const fs::path& folder, IniFile& ini) {
         return MacroStore(ini, folder / "record.ini").Rename(0, L"One", L"First");
       }},
      {"a macro deleted",
       {"record.ini"},
       [](const fs::path& folder, IniFile& ini) {
         return MacroStore(ini, folder / "record.ini").DeleteAt(1, L"Two");
       }},
      {"set",
       {"config0.bin"},
       [](const fs::path& folder, IniFile& ini) {
         return Cli([&](cli::Args a, cli::Streams io) { return cli::SetCommand(a, io, ini); },
                    {folder / "config0.bin", "dpi.stage3.dpi=1700"}) == cli::kExitOk;
       }},
      {"set --captions",
       {"config0.bin", "str0.ini"},
       [](const fs::path& folder, IniFile& ini) {
         return Cli([&](cli::Args a, cli::Streams io) { return cli::SetCommand(a, io, ini); },
                    {folder / "config0.bin", "buttons.button3.function=Double Click", "--captions",
                     folder / "str0.ini"}) == cli::kExitOk;
       }},
      {"import",
       {"config1.bin"},
       [](const fs::path& folder, IniFile&) {
         return Cli(cli::ImportCommand, {folder / "mine.json", folder / "config1.bin"}) ==
                cli::kExitOk;
       }},
      {"macro add",
       {"record.ini"},
       [](const fs::path& folder, IniFile& ini) {
         test::WriteBytes(folder / "four.txt", test::AsciiBytes("A down\nA up\nloop 2 times\n"));
         return Cli([&](cli::Args a, cli::Streams io) { return cli::MacroCommand(a, io, ini); },
                    {"add", folder / "record.ini", "Four", folder / "four.txt"}) == cli::kExitOk;
       }},
  };
  return paths;
}

// The INI engines the program uses: on Windows the profile functions' too.
std::vector<std::function<std::unique_ptr<IniFile>()>> Engines() {
  return {
      [] { return std::make_unique<PortableIniFile>(); },
#ifdef _WIN32
      [] { return std::make_unique<Win32IniFile>(); },
#endif
  };
}

// Each path once without a failure (the new contents), then with its N-th step failing, for
// every N up to the number of steps it takes.
TEST(FileReplace, AFailureAtAnyStepOfAnyWriteLeavesOldOrNewAndIsReported) {
  for (const auto& engine : Engines()) {
    for (const WritePath& path : WritePaths()) {
      Contents before, after;
      int steps = 0;
      {
        test::TempDir folder;
        MakeFolder(folder.path());
        before = Snapshot(folder.path(), path.files);
        const std::unique_ptr<IniFile> ini = engine();
        SetFileStepFault([&](FileStep) { return ++steps, false; });
        const bool ok = path.run(folder.path(), *ini);
        SetFileStepFault({});
        ASSERT_TRUE(ok) << path.what;
        after = Snapshot(folder.path(), path.files);
        ASSERT_NE(before, after) << path.what;
      }
      ASSERT_GT(steps, 0) << path.what;
      for (int failing = 1; failing <= steps; ++failing) {
        test::TempDir folder;
        MakeFolder(folder.path());
        const std::unique_ptr<IniFile> ini = engine();
        int step = 0;
        FileStep failed{};
        SetFileStepFault([&](FileStep kind) {
          if (++step != failing) return false;
          failed = kind;
          return true;
        });
        const bool ok = path.run(folder.path(), *ini);
        SetFileStepFault({});
        const std::string where = std::string(path.what) + ", step " + std::to_string(failing) +
                                  " (kind " + std::to_string(static_cast<int>(failed)) + ")";
        EXPECT_FALSE(ok) << where;
        const Contents now = Snapshot(folder.path(), path.files);
        // A failed folder flush comes after the renames: the files are new, but not yet durable.
        if (failed == FileStep::kFolderFlush) {
          EXPECT_EQ(now, after) << where;
        } else {
          EXPECT_EQ(now, before) << where;
        }
        for (const std::string& name : test::FilesIn(folder.path())) {
          EXPECT_EQ(name.find(".tmp"), std::string::npos) << where << ": " << name;
        }
      }
    }
  }
}

// Links are written through; anything but a regular file is refused and left alone; the mode
// stays; a user's own NAME.tmp is not touched.
TEST(FileReplace, LinksSpecialFilesModesAndTheUsersOwnTmp) {
  test::TempDir dir;
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  test::WriteBytes(dir / "mine.bin.tmp", {9, 9});
  test::WriteBytes(dir / "mine.bin", {0});
  ASSERT_FALSE(ReplaceFileContents(dir / "mine.bin", bytes));
  EXPECT_EQ(test::ReadBytes(dir / "mine.bin"), bytes);
  EXPECT_EQ(test::ReadBytes(dir / "mine.bin.tmp"), (std::vector<std::uint8_t>{9, 9}));

  fs::create_directory(dir / "folder.bin");
  EXPECT_EQ(ReplaceFileContents(dir / "folder.bin", bytes), FileReplaceError::kNotRegularFile);
  EXPECT_TRUE(fs::is_directory(dir / "folder.bin"));
  EXPECT_EQ(FileUpdateLock(dir / "folder.bin").error(), FileReplaceError::kNotRegularFile);
#ifdef _WIN32
  ASSERT_TRUE(SetFileAttributesW((dir / "mine.bin").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_FALSE(ReplaceFileContents(dir / "mine.bin", bytes));
  EXPECT_NE(GetFileAttributesW((dir / "mine.bin").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
#else
  // A link, relative, to a file in another folder: the file changes, the link stays.
  fs::create_directory(dir / "real");
  test::WriteBytes(dir / "real" / "config.bin", {0});
  fs::create_symlink("real/config.bin", dir / "link.bin");
  ASSERT_FALSE(ReplaceFileContents(dir / "link.bin", bytes));
  EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
  EXPECT_EQ(test::ReadBytes(dir / "real" / "config.bin"), bytes);
  // A dangling link makes the file it names.
  fs::create_symlink("real/new.bin", dir / "dangling.bin");
  ASSERT_FALSE(ReplaceFileContents(dir / "dangling.bin", bytes));
  EXPECT_EQ(test::ReadBytes(dir / "real" / "new.bin"), bytes);

  ASSERT_EQ(::mkfifo((dir / "fifo.bin").c_str(), 0600), 0);
  cli::OutText out, err;
  EXPECT_EQ(cli::ImportCommand(Paths{dir / "mine.bin", dir / "fifo.bin"}, {out, err}),
            cli::kExitFailed);
  EXPECT_NE(err.str().find("not a regular file"), std::string::npos) << err.str();
  EXPECT_TRUE(fs::is_fifo(dir / "fifo.bin"));
  EXPECT_EQ(ReplaceFileContents(FilePath(L"/dev/null"), bytes), FileReplaceError::kNotRegularFile);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_FALSE(fs::exists("/dev/.ql-gm900.lock"));

  for (const mode_t mode : {0600u, 0640u, 0755u}) {
    ASSERT_EQ(::chmod((dir / "mine.bin").c_str(), mode), 0);
    ASSERT_FALSE(ReplaceFileContents(dir / "mine.bin", bytes));
    struct stat facts {};
    ASSERT_EQ(::stat((dir / "mine.bin").c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 07777, mode);
  }
  // The superuser replacing another user's file leaves it theirs.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown((dir / "mine.bin").c_str(), 1234, 5678), 0);
    ASSERT_FALSE(ReplaceFileContents(dir / "mine.bin", bytes));
    struct stat facts {};
    ASSERT_EQ(::stat((dir / "mine.bin").c_str(), &facts), 0);
    EXPECT_EQ(facts.st_uid, 1234u);
    EXPECT_EQ(facts.st_gid, 5678u);
  }
#endif
}

// A name or event with CR, LF or NUL is refused, by gm900ctl and the store alike, and record.ini
// stays as it was.
TEST(FileReplace, TextThatWouldBreakRecordIniIsRefused) {
  test::TempDir dir;
  MakeFolder(dir.path());
  const fs::path record = dir / "record.ini";
  const std::vector<std::uint8_t> before = test::ReadBytes(record);
  PortableIniFile ini;
  const auto macro = [&](Paths args, std::string& err) {
    cli::OutText out, errors;
    const int status = cli::MacroCommand(args, {out, errors}, ini);
    err = errors.str();
    return status;
  };
  test::WriteBytes(dir / "evil.txt", test::AsciiBytes("item x\\x0d\\x0a[Evil]\\x0d\\x0aA=1\n"));
  test::WriteBytes(dir / "plain.txt", test::AsciiBytes("A down\nA up\n"));
  const struct {
    Paths args;
    const char* named;
  } refused[] = {
      {{"add", record, "Four", dir / "evil.txt"}, "CR"},
      {{"add", record, "Fo\nur", dir / "plain.txt"}, "LF"},
      {{"rename", record, "Two", "T\rwo"}, "CR"},
  };
  for (const auto& run : refused) {
    std::string err;
    EXPECT_NE(macro(run.args, err), cli::kExitOk) << run.args[0].Utf8();
    EXPECT_NE(err.find(run.named), std::string::npos) << err;
    EXPECT_EQ(test::ReadBytes(record), before) << run.args[0].Utf8();
  }
  MacroStore store(ini, record);
  EXPECT_EQ(store.Store(Macro{L"Two", false, false, L"1", {std::wstring(L"A\0B", 3)}}),
            MacroStore::StoreResult::NotStored);
  EXPECT_FALSE(store.Rename(0, L"One", L"O\nne"));
  EXPECT_FALSE(store.Add(L"Fi\rve", 1));
  EXPECT_EQ(test::ReadBytes(record), before);
}

}  // namespace
}  // namespace gm
