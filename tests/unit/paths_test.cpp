#include "launch/paths.h"

#include <gtest/gtest.h>

namespace diduzo {
namespace {

struct OneArg {
  const char16_t* in;
  const char16_t* out;
};

void expectAll(Text (*f)(TextView), std::initializer_list<OneArg> cases) {
  for (const OneArg& c : cases) EXPECT_EQ(f(c.in), c.out) << toUtf8(c.in);
}

TEST(Paths, PathPart) {
  expectAll(pathPart, {
      {u"G:\\Tools\\Diduzo.exe", u"G:\\Tools\\"},
      {u"app.exe", u""},
      {u"", u""},
      {u"a|b\\c", u""},                         // the scan stops at "|"
      {u"G:\\A\\b|c\\d", u"G:\\A\\"},
      {u"\"G:\\A b\\x.exe\" -p", u"G:\\A b\\"},  // a leading quote is skipped
      {u"G:/Tools/x.exe", u"G:/Tools/"},
      {u"G:\\Tools\\", u"G:\\Tools\\"},
      {u"\"", u""},
  });
}

TEST(Paths, FilePart) {
  expectAll(filePart, {
      {u"G:\\Tools\\app.exe", u"app.exe"},
      {u"G:\\Tools\\", u""},
      {u"app.exe", u"app.exe"},
      {u"", u""},
      {u"\"G:\\A b\\x.exe\" -p", u"x.exe"},  // up to the next quote
      {u"\"x.exe\"", u"x.exe"},
      {u"a|b\\c", u"c"},                     // unlike pathPart, "|" does not stop it
      {u"G:/x/y.txt", u"y.txt"},
  });
}

TEST(Paths, ExtensionPart) {
  expectAll(extensionPart, {
      {u"G:\\Tools\\app.exe", u"exe"},
      {u"G:\\Tools\\App.EXE", u"EXE"},
      {u"G:\\My.Apps\\tool", u""},
      {u"G:\\Tools\\.profile", u""},
      {u"G:\\Tools\\run me", u""},
      {u"archive.tar.gz", u"gz"},
      {u"", u""},
      {u".exe", u""},                    // a dot at the first character
      {u"a.", u""},
      {u"\"G:\\A b\\x.exe\"", u"exe"},   // up to the closing quote
      {u"G:/x/.cfg", u""},
      {u"x.exe -p", u""},                // parameters are not part of a file name
  });
}

TEST(Paths, ToAbsolutePath) {
  struct Case {
    const char16_t* stored;
    const char16_t* base;
    const char16_t* absolute;
  };
  const Case cases[] = {
      {u".\\", u"G:\\Tools\\", u"G:\\Tools\\"},
      {u"App\\app.exe", u"G:\\Tools\\", u"G:\\Tools\\App\\app.exe"},
      {u"..\\Data\\", u"G:\\Tools\\", u"G:\\Data\\"},
      {u"..\\..\\x.exe", u"G:\\Tools\\", u"\\x.exe"},  // past the drive root
      {u"\\Apps\\a.exe", u"G:\\Tools\\", u"G:\\Apps\\a.exe"},
      {u"C:\\Windows\\notepad.exe", u"G:\\Tools\\", u"C:\\Windows\\notepad.exe"},
      {u"\\\\srv\\share\\a.exe", u"G:\\Tools\\", u"\\\\srv\\share\\a.exe"},
      {u"%windir%\\notepad.exe", u"G:\\Tools\\", u"%windir%\\notepad.exe"},
      {u"", u"G:\\Tools\\", u"G:\\Tools\\"},
      {u"notepad.exe", u"G:\\Tools\\", u"G:\\Tools\\notepad.exe"},
      {u"../x.exe", u"G:\\Tools\\", u"G:\\Tools\\../x.exe"},
      {u".\\app.exe", u"G:\\Tools\\", u"G:\\Tools\\.\\app.exe"},
      {u"App\\a.exe", u"G:\\", u"G:\\App\\a.exe"},
      {u"..\\a.exe", u"G:\\", u"\\a.exe"},
      {u"..\\..\\Data\\", u"G:\\Apps\\Tools\\", u"G:\\Data\\"},
      {u"x:", u"G:\\Tools\\", u"x:"},
      // On a share driveSpec is "\\", and climbing stops at the share's root characters.
      {u"\\Apps\\a.exe", u"\\\\srv\\share\\Tools\\", u"\\\\\\Apps\\a.exe"},
      {u"..\\Data\\", u"\\\\srv\\share\\Tools\\", u"\\\\srv\\share\\Data\\"},
      {u"..\\..\\..\\..\\x", u"\\\\srv\\share\\Tools\\", u"\\x"},
      {u"a.exe", u"", u"\\a.exe"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(toAbsolutePath(c.stored, c.base), c.absolute) << toUtf8(c.stored) << " in " << toUtf8(c.base);
}

TEST(Paths, ToRelativePath) {
  struct Case {
    const char16_t* directory;
    const char16_t* base;
    const char16_t* stored;
  };
  const Case cases[] = {
      {u"G:\\Tools\\", u"G:\\Tools\\", u".\\"},
      {u"G:\\Tools\\App\\", u"G:\\Tools\\", u"App\\"},
      {u"G:\\", u"G:\\Tools\\", u"\\"},
      {u"G:\\Tools\\App\\Sub\\", u"G:\\Tools\\", u"App\\Sub\\"},
      {u"E:\\Data\\", u"G:\\Tools\\", u"E:\\Data\\"},
      {u"\\\\srv\\share\\Data\\", u"G:\\Tools\\", u"\\\\srv\\share\\Data\\"},
      {u"G:\\Apps\\Other\\", u"G:\\Apps\\Tools\\", u"..\\Other\\"},
      {u"G:\\Apps\\", u"G:\\Apps\\Tools\\", u"..\\"},
      {u"G:\\Media\\", u"G:\\Apps\\Tools\\", u"\\Media\\"},
      {u"G:\\Apps\\A\\B\\", u"G:\\Apps\\X\\Y\\Z\\", u"..\\..\\..\\A\\B\\"},
      {u"G:\\Apps\\x\\", u"G:\\", u"\\Apps\\x\\"},
      {u"G:\\", u"G:\\", u".\\"},
      {u"g:\\Tools\\", u"G:\\Tools\\", u"g:\\Tools\\"},
      {u"G:\\tools\\App\\", u"G:\\Tools\\", u"\\tools\\App\\"},
      {u"G:\\ToolsX\\", u"G:\\Tools\\", u"\\ToolsX\\"},
      // Paths on the program's own share are relative to it; another server's stay absolute.
      {u"\\\\srv\\share\\Data\\", u"\\\\srv\\share\\Tools\\", u"..\\Data\\"},
      {u"\\\\srv\\other\\Data\\", u"\\\\srv\\share\\Tools\\", u"..\\..\\other\\Data\\"},
      {u"\\\\sx\\share\\Data\\", u"\\\\sy\\share\\Tools\\", u"\\\\sx\\share\\Data\\"},
      {u"", u"G:\\Tools\\", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(toRelativePath(c.directory, c.base), c.stored) << toUtf8(c.directory) << " in " << toUtf8(c.base);
}

TEST(Paths, RelativeFormsComeBackAbsolute) {
  const Text bases[] = {u"G:\\Tools\\", u"G:\\Apps\\Tools\\", u"G:\\", u"\\\\srv\\share\\Tools\\"};
  const Text directories[] = {u"G:\\Tools\\",        u"G:\\Tools\\App\\Sub\\", u"G:\\Apps\\Other\\", u"G:\\Apps\\",
                              u"G:\\Media\\",        u"G:\\",                  u"E:\\Data\\",        u"\\\\srv\\share\\Data\\",
                              u"\\\\srv\\other\\X\\", u"\\\\sx\\share\\Y\\"};
  for (const Text& base : bases)
    for (const Text& directory : directories)
      EXPECT_EQ(toAbsolutePath(toRelativePath(directory, base), base), directory)
          << toUtf8(directory) << " in " << toUtf8(base);
}

TEST(Paths, ProgramDirAndDrive) {
  struct Case {
    const char16_t* module;
    const char16_t* dir;
    const char16_t* drive;
  };
  const Case cases[] = {
      {u"G:\\Tools\\Diduzo.exe", u"G:\\Tools\\", u"G:"},
      {u"G:\\Diduzo.exe", u"G:\\", u"G:"},
      {u"\\\\?\\G:\\Tools\\Diduzo.exe", u"G:\\Tools\\", u"G:"},
      {u"\\\\server\\share\\Tools\\Diduzo.exe", u"\\\\server\\share\\Tools\\", u"\\\\"},
      {u"\\\\?\\UNC\\server\\share\\Diduzo.exe", u"\\\\server\\share\\", u"\\\\"},
      {u"", u"", u""},
  };
  for (const Case& c : cases) {
    const Text dir = programDirFrom(c.module);
    EXPECT_EQ(dir, c.dir) << toUtf8(c.module);
    EXPECT_EQ(driveSpecOf(dir), c.drive) << toUtf8(c.module);
  }
}

}  // namespace
}  // namespace diduzo
