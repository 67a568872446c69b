// The settings store against real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/wide_win32.h"
#include "entries/file_system.h"
#include "entries/settings_store.h"

namespace diduzo {
namespace {

class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    dir = fromWide(temp) + u"diduzo-files-" + fromAscii(std::to_string(GetCurrentProcessId())) + u"-" +
          fromAscii(::testing::UnitTest::GetInstance()->current_test_info()->name()) + u"\\";
    CreateDirectoryW(wide(dir).c_str(), nullptr);
    path = dir + u"\u00C4pps \u03A9.prefs";
  }
  void TearDown() override {
    for (const Text& name : {path, path + u".bak"}) {
      SetFileAttributesW(wide(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(wide(name).c_str());
    }
    RemoveDirectoryW(wide(dir).c_str());
  }
  void put(const Text& name, const std::string& bytes) {
    HANDLE h = CreateFileW(wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  std::string get(const Text& name) {
    HANDLE h = CreateFileW(wide(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
    CloseHandle(h);
    out.resize(got);
    return out;
  }

  Text dir, path;
  FileSystem& files = systemFileSystem();
};

TEST_F(Win32FilesTest, WritesAndReadsTheWrittenForm) {
  SettingsStore store(files);
  ASSERT_TRUE(store.createForWriting(path));
  store.selectGroup(u"Settings");
  store.writeInteger(u"EndOnExit", 1);
  store.writeString(u"name", u"\u00C4pps");
  ASSERT_TRUE(store.close());
  EXPECT_EQ(get(path), "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 1\r\nname = \xC3\x84pps\r\n");
  ASSERT_TRUE(store.openForReading(path));
  ASSERT_TRUE(store.selectGroup(u"settings"));
  EXPECT_EQ(store.readString(u"name", u""), u"\u00C4pps");
}

TEST_F(Win32FilesTest, CreatingReplacesALongerFileAndCutsIt) {
  put(path, std::string(5000, 'x'));
  SettingsStore store(files);
  ASSERT_TRUE(store.createForWriting(path));
  store.selectGroup(u"g");
  store.writeString(u"k", u"v");
  ASSERT_TRUE(store.close());
  EXPECT_EQ(get(path), "\xEF\xBB\xBF\r\n[g]\r\nk = v\r\n");
  ASSERT_TRUE(store.createForWriting(path));
  ASSERT_TRUE(store.close());
  EXPECT_EQ(get(path), "");
}

TEST_F(Win32FilesTest, AReadOnlyFileIsStillRead) {
  put(path, "[g]\r\nk = v\r\n");
  ASSERT_TRUE(SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
  SettingsStore store(files);
  ASSERT_TRUE(store.openForReading(path));
  ASSERT_TRUE(store.selectGroup(u"g"));
  EXPECT_EQ(store.readString(u"k", u""), u"v");
}

TEST_F(Win32FilesTest, AFileThatAnotherProgramWritesIsStillRead) {
  put(path, "[g]\r\nk = v\r\n");
  HANDLE other = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  // The first two ways do not let the other program go on writing; the third does.
  EXPECT_EQ(files.open(path, OpenMode::ReadWriteShareRead), nullptr);
  EXPECT_EQ(files.open(path, OpenMode::ReadShareRead), nullptr);
  SettingsStore store(files);
  EXPECT_TRUE(store.openForReading(path));
  EXPECT_TRUE(store.selectGroup(u"g"));
  store.close();
  CloseHandle(other);
}

TEST_F(Win32FilesTest, AMissingFileOrAFolderIsNotRead) {
  SettingsStore store(files);
  EXPECT_FALSE(store.openForReading(path));
  EXPECT_FALSE(store.openForReading(dir));
  EXPECT_FALSE(store.createForWriting(dir + u"no such folder\\x.prefs"));
}

TEST_F(Win32FilesTest, MovingReplacingAndRemoving) {
  const Text backup = path + u".bak";
  put(path, "new");
  put(backup, "old");
  EXPECT_TRUE(files.exists(path));
  EXPECT_TRUE(files.exists(dir));
  EXPECT_FALSE(files.move(path, backup));  // the target is in the way
  EXPECT_TRUE(files.replace(path, backup));
  EXPECT_FALSE(files.exists(path));
  EXPECT_EQ(get(backup), "new");
  EXPECT_TRUE(files.move(backup, path));
  EXPECT_TRUE(files.remove(path));
  EXPECT_FALSE(files.remove(path));
  EXPECT_FALSE(files.exists(path));
}

}  // namespace
}  // namespace diduzo
