#include "entries/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/memory_file_system.h"

namespace diduzo {
namespace {

using namespace std::string_literals;

using fakes::FileCall;
using fakes::FileOp;
using fakes::MemoryFileSystem;

const Text kPath = u"G:\\Tools\\Diduzo.prefs";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

class SettingsStoreTest : public ::testing::Test {
 protected:
  // Reads `bytes` as a settings file.
  SettingsStore& read(std::string bytes) {
    files.putFile(kPath, std::move(bytes));
    EXPECT_TRUE(store.openForReading(kPath));
    return store;
  }

  MemoryFileSystem files;
  SettingsStore store{files};
};

TEST_F(SettingsStoreTest, KeyLinesAndGroupHeaders) {
  struct Case {
    const char* line;
    const char16_t* key;
    const char16_t* value;
  };
  const Case cases[] = {
      {"name=Editor", u"name", u"Editor"},
      {"name   =   Editor   ", u"name", u"Editor"},
      {"  \tname\t= Editor", u"name", u"Editor"},
      {"name", u"name", u""},
      {"name =", u"name", u""},
      {"options = -a=1 ; b", u"options", u"-a=1 ; b"},
      {"options = [x] ;y", u"options", u"[x] ;y"},
      {"two words = v", u"two words", u"v"},
      {"= only a value", u"", u"only a value"},
  };
  for (const Case& c : cases) {
    SettingsStore& s = read(std::string("[g]\r\n") + c.line + "\r\n");
    ASSERT_TRUE(s.selectGroup(u"g")) << c.line;
    EXPECT_EQ(s.readString(c.key, u"<none>"), c.value) << c.line;
  }
}

TEST_F(SettingsStoreTest, CommentsBlankLinesAndKeysOutsideGroupsAreNotRead) {
  SettingsStore& s = read(
      "name = outside\r\n"
      "; [Hidden]\r\n"
      "   ; a = b\r\n"
      "\t  \r\n"
      "[g]\r\n"
      ";name = commented\r\n");
  EXPECT_FALSE(s.selectGroup(u"Hidden"));
  ASSERT_TRUE(s.selectGroup(u"g"));
  EXPECT_EQ(s.readString(u"name", u"<none>"), u"<none>");
  s.rewindGroups();
  EXPECT_TRUE(s.nextGroup());
  EXPECT_FALSE(s.nextGroup());
}

TEST_F(SettingsStoreTest, HeaderNamesRunToTheFirstBracketOrTheEnd) {
  SettingsStore& s = read("[Item0\r\n[ Spaced ] rest ] x\r\n  [a]b]\r\n[]\r\n");
  std::vector<Text> seen;
  s.rewindGroups();
  while (s.nextGroup()) seen.push_back(s.groupName());
  EXPECT_EQ(seen, (std::vector<Text>{u"Item0", u" Spaced ", u"a", u""}));
}

TEST_F(SettingsStoreTest, LineEndsOfAnyKindReadAlike) {
  const std::string bodies[] = {
      "[a]\r\nk = 1\r\n[b]\r\nk = 2\r\n",
      "[a]\nk = 1\n[b]\nk = 2\n",
      "[a]\rk = 1\r[b]\rk = 2",
      "\r\n\n\r[a]\n\r\n\rk = 1\r\r\r[b]\n\n\nk = 2\n\r",
  };
  for (const std::string& body : bodies) {
    SettingsStore& s = read(body);
    ASSERT_TRUE(s.selectGroup(u"b"));
    EXPECT_EQ(s.readString(u"k", u""), u"2");
    ASSERT_TRUE(s.selectGroup(u"a"));
    EXPECT_EQ(s.readString(u"k", u""), u"1");
  }
}

TEST_F(SettingsStoreTest, NamesMatchWithAsciiLettersFoldedOnly) {
  SettingsStore& s = read(std::string(kBom) + "\r\n[SETTINGS]\r\nEndOnExit = 1\r\n[\xC3\x84pps]\r\nk = 1\r\n");
  EXPECT_TRUE(s.selectGroup(u"settings"));
  EXPECT_EQ(s.readInteger(u"endonexit", 0), 1);
  EXPECT_EQ(s.readInteger(u"ENDONEXIT", 0), 1);
  EXPECT_TRUE(s.selectGroup(u"\u00C4pps"));
  EXPECT_FALSE(s.selectGroup(u"\u00E4pps"));  // no folding beyond A to Z
}

TEST_F(SettingsStoreTest, FirstKeyOfAGroupWinsAndKeysStayInTheirGroup) {
  SettingsStore& s = read("[a]\nk = first\nk = second\n[b]\nother = 1\n");
  ASSERT_TRUE(s.selectGroup(u"a"));
  EXPECT_EQ(s.readString(u"k", u""), u"first");
  EXPECT_EQ(s.readString(u"other", u"none"), u"none");
}

TEST_F(SettingsStoreTest, LargeGroupsAreSearchedByIndexWithTheSameRules) {
  std::string body = "[big]\n";
  for (int i = 0; i < 200; ++i) body += "Key" + std::to_string(i) + " = " + std::to_string(i) + "\n";
  body += "key7 = later\n";
  SettingsStore& s = read(body);
  ASSERT_TRUE(s.selectGroup(u"BIG"));
  EXPECT_EQ(s.readString(u"KEY7", u""), u"7");
  EXPECT_EQ(s.readString(u"key199", u""), u"199");
  EXPECT_EQ(s.readString(u"key200", u"none"), u"none");
}

TEST_F(SettingsStoreTest, SelectGroupFindsTheFirstAndTheScanVisitsEachHeader) {
  SettingsStore& s = read("[Item]\nk = 1\n[x]\n[item]\nk = 2\n");
  ASSERT_TRUE(s.selectGroup(u"ITEM"));
  EXPECT_EQ(s.readString(u"k", u""), u"1");
  s.rewindGroups();
  std::vector<Text> values;
  while (s.nextGroup()) values.push_back(s.groupName() + u":" + s.readString(u"k", u"-"));
  EXPECT_EQ(values, (std::vector<Text>{u"Item:1", u"x:-", u"item:2"}));
  EXPECT_FALSE(s.nextGroup());
  EXPECT_EQ(s.groupName(), u"item");  // the current group stays at the end
}

TEST_F(SettingsStoreTest, AMissingGroupIsPendingAndEveryReadGivesItsDefault) {
  SettingsStore& s = read("[a]\nk = 1\n");
  ASSERT_TRUE(s.selectGroup(u"a"));
  EXPECT_FALSE(s.selectGroup(u"missing"));
  EXPECT_EQ(s.groupName(), u"a");  // the current group stays
  EXPECT_EQ(s.readString(u"k", u"def"), u"def");
  EXPECT_EQ(s.readInteger(u"k", 42), 42);
  s.rewindGroups();
  EXPECT_EQ(s.groupName(), u"");
  EXPECT_EQ(s.readString(u"k", u"def"), u"def");
  ASSERT_TRUE(s.nextGroup());
  EXPECT_EQ(s.readString(u"k", u"def"), u"1");
}

TEST_F(SettingsStoreTest, ReadIntegerReadsLikeAtoi) {
  struct Case {
    const char* value;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"1", 1},      {"2", 2},          {"-7", -7},   {"+3", 3},          {"12abc", 12},
      {"abc", 0},    {"", 0},           {"$10", 0},   {"- 1", 0},         {"0x10", 0},
      {"007", 7},    {"2147483647", 2147483647},      {"99999999999999999999", 2147483647},
      {"-99999999999999999999", -2147483647 - 1},
  };
  for (const Case& c : cases) {
    SettingsStore& s = read(std::string("[Settings]\nv = ") + c.value + "\n");
    s.selectGroup(u"Settings");
    EXPECT_EQ(s.readInteger(u"v", 99), c.expected) << c.value;
  }
}

TEST(ParseNumber, DecimalHexAndBinaryWithSigns) {
  struct Case {
    const char16_t* text;
    std::int64_t expected;
  };
  const Case cases[] = {
      {u"4", 4},       {u"$4", 4},        {u"4abc", 4},     {u"abc", 0},          {u"", 0},
      {u"  \t-12", -12}, {u"+7", 7},      {u"$ff", 255},    {u"$FFx", 255},       {u"-$10", -16},
      {u"%101", 5},    {u"%102", 2},      {u"%", 0},        {u"$", 0},            {u"300", 300},
      {u"-", 0},       {u"$g", 0},        {u"1 2", 1},      {u"9223372036854775807", 9223372036854775807LL},
      // Overflow wraps: the low bits stay those of the written number.
      {u"18446744073709551617", 1},
      {u"$FFFFFFFFFFFFFFFF01", -255},  // low byte 01
  };
  for (const Case& c : cases) EXPECT_EQ(parseNumber(c.text), c.expected) << testing::PrintToString(Text(c.text));
}

TEST_F(SettingsStoreTest, TextWithoutByteOrderMarkIsLatin1) {
  SettingsStore& s = read("[g]\nname = caf\xE9\nutf8 = \xC3\xA9\n");
  s.selectGroup(u"g");
  EXPECT_EQ(s.readString(u"name", u""), u"caf\u00E9");
  EXPECT_EQ(s.readString(u"utf8", u""), u"\u00C3\u00A9");
}

TEST_F(SettingsStoreTest, IllFormedUtf8AfterTheByteOrderMarkBecomesReplacementCharacters) {
  SettingsStore& s = read(std::string(kBom) + "[g\xFF]\nname = a\xC3(\n");
  s.rewindGroups();
  ASSERT_TRUE(s.nextGroup());
  EXPECT_EQ(s.groupName(), u"g\uFFFD");
  EXPECT_EQ(s.readString(u"name", u""), u"a\uFFFD(");
}

TEST_F(SettingsStoreTest, DegenerateFilesReadAsEmptyOrAsWhatTheyHold) {
  struct Case {
    std::string bytes;
    std::vector<Text> groups;
  };
  const Case cases[] = {
      {"", {}},
      {std::string(kBom), {}},
      {std::string(kBom) + "\r\n", {}},
      {"\xEF\xBB\n[\xBF]", {u"\u00BF"}},  // a cut byte-order mark: the file is Latin-1
      {"[a\0b]\nk\0 = v\0w\n"s, {Text(u"a\0b", 3)}},
      {"\r\r\n\n\r", {}},
  };
  for (const Case& c : cases) {
    SettingsStore& s = read(c.bytes);
    std::vector<Text> groups;
    s.rewindGroups();
    while (s.nextGroup()) groups.push_back(s.groupName());
    if (c.groups.empty()) {
      EXPECT_TRUE(groups.empty());
    } else {
      EXPECT_EQ(groups, c.groups);
    }
  }
  SettingsStore& s = read("[a\0b]\nk\0 = v\0w\n"s);
  s.selectGroup(Text(u"a\0b", 3));
  EXPECT_EQ(s.readString(Text(u"k\0", 2), u""), Text(u"v\0w", 3));
}

TEST_F(SettingsStoreTest, VeryLongLinesAndLargeFilesRead) {
  std::string longValue(10u << 20, 'x');
  SettingsStore& s = read("[g]\nk = " + longValue + "\nafter = 1\n");
  s.selectGroup(u"g");
  EXPECT_EQ(s.readString(u"k", u"").size(), longValue.size());
  EXPECT_EQ(s.readInteger(u"after", 0), 1);

  // 100 MB in a thousand groups, with no line end at the very end.
  std::string big;
  big.reserve((100u << 20) + 100);
  const std::string group = "[Item]\ntype = 1\nname = " + std::string(100u << 10, 'n') + "\n";
  for (int i = 0; i < 1024; ++i) big += group;
  big += "[Last]\nk = end";
  SettingsStore& t = read(std::move(big));
  ASSERT_TRUE(t.selectGroup(u"last"));
  EXPECT_EQ(t.readString(u"k", u""), u"end");
}

TEST_F(SettingsStoreTest, OpeningTriesThreeWaysOfSharing) {
  files.putFile(kPath, "[g]\nk = v\n");
  // Another program holds the file for writing: the first two ways fail, the third one reads.
  files.failWhen = [](const FileCall& c) {
    return c.op == FileOp::Open && c.mode != OpenMode::ReadShareReadWrite;
  };
  ASSERT_TRUE(store.openForReading(kPath));
  std::vector<OpenMode> modes;
  for (const FileCall& c : files.calls)
    if (c.op == FileOp::Open) modes.push_back(c.mode);
  EXPECT_EQ(modes, (std::vector<OpenMode>{OpenMode::ReadWriteShareRead, OpenMode::ReadShareRead,
                                          OpenMode::ReadShareReadWrite}));
  store.selectGroup(u"g");
  EXPECT_EQ(store.readString(u"k", u""), u"v");
}

TEST_F(SettingsStoreTest, AFileThatCannotBeOpenedOrReadLeavesAnEmptyStore) {
  EXPECT_FALSE(store.openForReading(u"G:\\missing.prefs"));
  EXPECT_FALSE(store.selectGroup(u"g"));
  store.rewindGroups();
  EXPECT_FALSE(store.nextGroup());

  files.putFile(kPath, "[g]\nk = v\n");
  files.failWhen = [](const FileCall& c) { return c.op == FileOp::Read; };
  EXPECT_FALSE(store.openForReading(kPath));
  EXPECT_FALSE(store.selectGroup(u"g"));
  EXPECT_EQ(store.readString(u"k", u"def"), u"def");

  files.putFolder(u"G:\\folder");
  files.failWhen = nullptr;
  EXPECT_FALSE(store.openForReading(u"G:\\folder"));
}

TEST_F(SettingsStoreTest, WritesTheExactWrittenForm) {
  ASSERT_TRUE(store.createForWriting(kPath));
  store.selectGroup(u"Settings");
  store.writeInteger(u"EndOnExit", 1);
  store.writeInteger(u"RunOnStart", 1);
  store.selectGroup(u"Item0");
  store.writeInteger(u"type", 1);
  store.writeInteger(u"level", -56);
  store.writeString(u"name", u"Editor \u00C4");
  store.writeString(u"options", u"");
  store.selectGroup(u"Item1");
  store.writeInteger(u"type", 3);
  ASSERT_TRUE(store.close());
  EXPECT_EQ(files.contentOf(kPath),
            "\xEF\xBB\xBF\r\n"
            "[Settings]\r\n"
            "EndOnExit = 1\r\n"
            "RunOnStart = 1\r\n"
            "[Item0]\r\n"
            "type = 1\r\n"
            "level = -56\r\n"
            "name = Editor \xC3\x84\r\n"
            "options = \r\n"
            "[Item1]\r\n"
            "type = 3\r\n");
}

TEST_F(SettingsStoreTest, RewritingAKeyReplacesItInPlaceWithTheNewCase) {
  ASSERT_TRUE(store.createForWriting(kPath));
  store.selectGroup(u"g");
  store.writeString(u"a", u"1");
  store.writeString(u"b", u"2");
  store.selectGroup(u"h");
  store.writeString(u"c", u"3");
  store.selectGroup(u"G");
  store.writeString(u"A", u"one");
  store.writeString(u"d", u"4");  // appended to the end of the group, not of the store
  ASSERT_TRUE(store.close());
  EXPECT_EQ(files.contentOf(kPath), "\xEF\xBB\xBF\r\n[g]\r\nA = one\r\nb = 2\r\nd = 4\r\n[h]\r\nc = 3\r\n");
}

TEST_F(SettingsStoreTest, EmptyNamesKeysAndValuesAreWrittenToo) {
  ASSERT_TRUE(store.createForWriting(kPath));
  store.selectGroup(u"");
  store.writeString(u"", u"");
  ASSERT_TRUE(store.close());
  EXPECT_EQ(files.contentOf(kPath), "\xEF\xBB\xBF\r\n[]\r\n = \r\n");
}

TEST_F(SettingsStoreTest, GroupsWithoutKeysAndKeysWithoutGroupsAreNotWritten) {
  ASSERT_TRUE(store.createForWriting(kPath));
  store.writeString(u"orphan", u"x");
  store.selectGroup(u"empty");
  store.selectGroup(u"g");
  store.writeString(u"k", u"v");
  ASSERT_TRUE(store.close());
  EXPECT_EQ(files.contentOf(kPath), "\xEF\xBB\xBF\r\n[g]\r\nk = v\r\n");
}

TEST_F(SettingsStoreTest, LineBreaksInsideWrittenTextsCannotStartLinesOfTheirOwn) {
  ASSERT_TRUE(store.createForWriting(kPath));
  store.selectGroup(u"Item0");
  store.writeString(u"name", u"evil\r\n[Item1]\ntype = 1");
  ASSERT_TRUE(store.close());
  EXPECT_EQ(files.contentOf(kPath), "\xEF\xBB\xBF\r\n[Item0]\r\nname = evil  [Item1] type = 1\r\n");
  ASSERT_TRUE(store.openForReading(kPath));
  EXPECT_FALSE(store.selectGroup(u"Item1"));
}

TEST_F(SettingsStoreTest, CreatingReplacesTheFileAtOnceAndAnUnchangedStoreLeavesItEmpty) {
  files.putFile(kPath, "old content");
  ASSERT_TRUE(store.createForWriting(kPath));
  EXPECT_EQ(files.contentOf(kPath), "");
  ASSERT_TRUE(store.close());
  EXPECT_TRUE(files.hasFile(kPath));
  EXPECT_EQ(files.contentOf(kPath), "");
}

TEST_F(SettingsStoreTest, TheContentIsWrittenOnceWhenTheStoreCloses) {
  ASSERT_TRUE(store.createForWriting(kPath));
  store.selectGroup(u"g");
  for (int i = 0; i < 5; ++i) store.writeInteger(u"k" + fromAscii(std::to_string(i)), i);
  EXPECT_EQ(files.contentOf(kPath), "");
  ASSERT_TRUE(store.close());
  int writes = 0;
  for (const FileCall& c : files.calls) writes += c.op == FileOp::Write;
  EXPECT_EQ(writes, 1);
}

TEST_F(SettingsStoreTest, OpeningAnotherStoreWritesTheOneBefore) {
  ASSERT_TRUE(store.createForWriting(kPath));
  store.selectGroup(u"g");
  store.writeString(u"k", u"v");
  files.putFile(u"other", "[o]\n");
  ASSERT_TRUE(store.openForReading(u"other"));
  EXPECT_EQ(files.contentOf(kPath), "\xEF\xBB\xBF\r\n[g]\r\nk = v\r\n");
  EXPECT_TRUE(store.selectGroup(u"o"));
}

TEST_F(SettingsStoreTest, AFailedWriteOrFlushAtCloseIsReported) {
  for (FileOp failing : {FileOp::Write, FileOp::Flush, FileOp::Close}) {
    files.failWhen = nullptr;
    ASSERT_TRUE(store.createForWriting(kPath));
    store.selectGroup(u"g");
    store.writeString(u"k", u"v");
    files.failWhen = [failing](const FileCall& c) { return c.op == failing; };
    EXPECT_FALSE(store.close()) << static_cast<int>(failing);
  }
}

TEST_F(SettingsStoreTest, AFailedCreateLeavesNothingHalfMade) {
  files.failWhen = [](const FileCall& c) { return c.op == FileOp::Open; };
  EXPECT_FALSE(store.createForWriting(kPath));
  store.selectGroup(u"g");
  store.writeString(u"k", u"v");
  EXPECT_FALSE(store.selectGroup(u"g"));  // the write had no effect
  EXPECT_TRUE(store.close());
  EXPECT_FALSE(files.exists(kPath));
  files.failWhen = nullptr;
  files.putFolder(kPath);
  EXPECT_FALSE(store.createForWriting(kPath));  // a folder of that name is not replaced
}

}  // namespace
}  // namespace diduzo
