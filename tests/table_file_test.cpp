// The table file format: reading lines, splitting fields, writing over a file,
// and the translation of column keys to titles and back.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "platform/platform.h"
#include "table_editor/column_keys.h"
#include "table_editor/table_file.h"
#include "tests/game_folder.h"

namespace {

using Fields = std::vector<std::string>;

// Every line of a file as SplitFields gives it, with AtEnd asked before each
// read, as the table window reads a file.
std::vector<Fields> ReadTable(const GameFolder& folder, const std::string& bytes) {
    folder.Write("t.txt", bytes);
    const FileNumber file = OpenForUpdate(folder.ProgramFolder() + "\\t.txt");
    EXPECT_NE(file, 0);
    std::vector<Fields> lines;
    while (!AtEnd(file)) {
        lines.push_back(SplitFields(ReadLine(file)));
        if (lines.size() > 100) {
            ADD_FAILURE() << "reading does not end";
            break;
        }
    }
    CloseFile(file);
    return lines;
}

TEST(TableFile, ReadingRules) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<Fields> lines;
    };
    const std::string big(70000, 'x');  // longer than one read of the file
    const Case cases[] = {
        {"CR LF line ends", "a;b;\r\nc;d;\r\n", {{"a", "b"}, {"c", "d"}}},
        {"LF line ends", "a;b;\nc;d;\n", {{"a", "b"}, {"c", "d"}}},
        {"a lone CR is data, a last one at the end of the file is not",
         "a;b\rc;d\r",
         {{"a", "b\rc", "d"}}},
        {"CR CR LF keeps one CR", "a\r\r\n", {{"a\r"}}},
        {"the final ; is optional",
         "name;topic\r\nname;topic;\r\n",
         {{"name", "topic"}, {"name", "topic"}}},
        {"empty fields",
         "A;;\r\nA;;;\r\nx;;b\r\n;\r\n",
         {{"A", ""}, {"A", "", ""}, {"x", "", "b"}, {""}}},
        {"empty lines give no fields", "a;\r\n\r\n\nb;\r\n\r\n", {{"a"}, {}, {}, {"b"}, {}}},
        {"blanks are kept", " name ; x\t;\r\n", {{" name ", " x\t"}}},
        {"0xB0 ; is one character", "\xB0;b;c;\r\n", {{"\xB0;b", "c"}}},
        {"a second byte LF does not end the line", "\x81\nx;y\r\n", {{"\x81\nx", "y"}}},
        {"zero and 0x1A bytes are data",
         std::string("a\0b;\x1A;c\r\nd;\r\n", 13),
         {{std::string("a\0b", 3), "\x1A", "c"}, {"d"}}},
        {"no line end at the end of the file", "a;b", {{"a", "b"}}},
        {"a long line", big + ";" + big + "\r\nz\r\n", {{big, big}, {"z"}}},
        {"an empty file", "", {}},
    };
    GameFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadTable(folder, c.bytes), c.lines);
    }
}

TEST(TableFile, TwoByteCharacterAcrossReadsKeepsItsSecondByte) {
    // The lead byte is the last byte of the first read; its second byte is an LF.
    std::string bytes(65535, 'a');
    bytes += "\x81\nb\r\nc\r\n";
    GameFolder folder;
    const std::vector<Fields> lines = ReadTable(folder, bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][0].substr(65535), "\x81\nb");
    EXPECT_EQ(lines[1], Fields{"c"});
}

TEST(TableFile, NoFileOrAClosedOneReadsNothingAndWritesNothing) {
    EXPECT_EQ(OpenForUpdate(""), 0);
    GameFolder folder;
    EXPECT_EQ(OpenForUpdate(folder.ProgramFolder() + "\\missing.txt"), 0);
    EXPECT_FALSE(folder.Exists("missing.txt"));
    EXPECT_TRUE(AtEnd(0));
    EXPECT_EQ(ReadLine(0), "");
    WriteText(0, "x");
    CloseFile(0);

    folder.Write("t.txt", "a\r\n");
    const FileNumber file = OpenForUpdate(folder.ProgramFolder() + "\\t.txt");
    CloseFile(file);
    EXPECT_TRUE(AtEnd(file));
    EXPECT_EQ(ReadLine(file), "");
    WriteText(file, "b");
    EXPECT_EQ(folder.Read("t.txt"), "a\r\n");
}

TEST(TableFile, WritingOverAFileEndsItWhereTheNewTextEnds) {
    GameFolder folder;
    folder.Write("t.txt", "a long first line;\r\nsecond;\r\n");
    const FileNumber file = OpenForUpdate(folder.ProgramFolder() + "\\t.txt");
    EXPECT_EQ(ReadLine(file), "a long first line;");
    MoveToStart(file);
    WriteText(file, "x;");
    WriteText(file, "\r\n");
    EXPECT_TRUE(FinishWriting(file));
    EXPECT_EQ(folder.Read("t.txt"), "x;\r\n");

    // The file stays usable: read again from the start, write again.
    MoveToStart(file);
    EXPECT_EQ(ReadLine(file), "x;");
    EXPECT_TRUE(AtEnd(file));
    MoveToStart(file);
    WriteText(file, std::string(3 << 20, 'y'));  // more than the write buffer holds
    EXPECT_TRUE(FinishWriting(file));
    EXPECT_EQ(folder.Read("t.txt"), std::string(3 << 20, 'y'));
    CloseFile(file);
}

TEST(TableFile, FailuresAreReported) {
    GameFolder folder;
    folder.Write("t.txt", "a;\r\nb;\r\n");
    const FileNumber file = OpenForUpdate(folder.ProgramFolder() + "\\t.txt");
    platform::FailNextFileRead();
    EXPECT_EQ(ReadLine(file), "");
    EXPECT_TRUE(AtEnd(file));
    EXPECT_TRUE(ReadFailed(file));
    MoveToStart(file);
    EXPECT_FALSE(ReadFailed(file));
    EXPECT_EQ(ReadLine(file), "a;");

    MoveToStart(file);
    WriteText(file, "c;\r\n");
    platform::FailNextFileWrite();
    EXPECT_FALSE(FinishWriting(file));
    EXPECT_EQ(folder.Read("t.txt"), "a;\r\nb;\r\n") << "not cut where the writing failed";

    // Text after a failed write would land where the failed text belonged.
    MoveToStart(file);
    platform::FailNextFileWrite();
    WriteText(file, std::string(2 << 20, 'x'));  // handed over at once, and refused
    WriteText(file, "later;\r\n");
    EXPECT_FALSE(FinishWriting(file));
    EXPECT_EQ(folder.Read("t.txt"), "a;\r\nb;\r\n");
    CloseFile(file);
}

TEST(TableFile, SplitFields) {
    const std::pair<std::string, Fields> cases[] = {
        {"", {}},
        {"a;b", {"a", "b"}},
        {"a;b;", {"a", "b"}},
        {"a;;b", {"a", "", "b"}},
        {"x;;", {"x", ""}},
        {";", {""}},
        {"\xB0;;x", {"\xB0;", "x"}},
        {"a;\xB0", {"a", "\xB0"}},
    };
    for (const auto& [line, fields] : cases) {
        EXPECT_EQ(SplitFields(line), fields) << line;
    }
}

// Titles come from the language file of a test folder.
class ColumnKeys : public testing::Test {
protected:
    void SetUp() override {
        ResetState();
        State().programFolder = folder.ProgramFolder();
        State().languageSection =
            std::string("L");  // not from a literal: GCC 12 warns wrongly there
    }
    void TearDown() override { ResetState(); }

    GameFolder folder;
};

TEST_F(ColumnKeys, TitlesFollowTheCatalogueChain) {
    folder.Write("language.ini",
                 "[L]\r\nname=topic\r\ntopic=Thema\r\ngenre1=Genre\r\ngenre2=Genre\r\n"
                 "start=\r\nend=Ende\r\n");
    struct Case {
        const char* key;
        const char* title;
    };
    const Case cases[] = {
        {"name", "Thema"},  // titled as the text "topic", which has a title of its own
        {"topic", "Thema"}, {"genre1", "Genre"},      {"start", ""},
        {"end", "Ende"},    {"gameplay", "gameplay"},  // a catalogue key the language lacks
        {"Name", "Name"},                              // keys match in their exact case
        {" name", " name"}, {"foo", "foo"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyToTitle(c.key), c.title) << c.key;
    }
    // Back from titles: one key for a shared title, and the chain again.
    EXPECT_EQ(TitleToKey("Genre"), "genre1");
    EXPECT_EQ(TitleToKey("Thema"), "topic");
    EXPECT_EQ(TitleToKey("Ende"), "end");
    EXPECT_EQ(TitleToKey("foo"), "foo");
}

TEST_F(ColumnKeys, WithoutALanguageFileTitlesAreTheKeys) {
    for (const char* key : kColumnKeyCatalogue) {
        EXPECT_EQ(KeyToTitle(key), key);
        EXPECT_EQ(TitleToKey(key), key);
    }
}

}  // namespace
