// Name handling: UTF-8 <-> Windows-1252, what Windows can store, letter case,
// and the flag patterns.
#include <gtest/gtest.h>

#include "name_codec.h"
#include "name_glob.h"
#include "tool_error.h"
#include "windows_name.h"

namespace {

struct ConversionCase {
    const char* utf8;
    bool representable;
    const char* cp1252;
};

TEST(NameCodec, ConvertsWhatWindows1252HoldsAndRefusesTheRest) {
    const ConversionCase cases[] = {
        {"Diseño", true, "Dise\xF1o"},
        {"Índice ó", true, "\xCDndice \xF3"},
        {"Precio €", true, "Precio \x80"},
        {"Œuvre – ‰", true, "\x8Cuvre \x96 \x89"},
        {"plain.txt", true, "plain.txt"},
        {"数据", false, ""},
        {"Ā", false, ""},            // Latin, but not in Windows-1252
        {"\xC2\x81", false, ""},     // U+0081: a hole of the code page
        {"\xC3", false, ""},         // cut-off sequence
        {"\xC0\xAF", false, ""},     // overlong '/'
        {"\xED\xA0\x80", false, ""}, // surrogate
    };
    for (const ConversionCase& c : cases) {
        std::string cp1252;
        EXPECT_EQ(Utf8ToCp1252(c.utf8, cp1252), c.representable) << c.utf8;
        if (!c.representable) continue;
        EXPECT_EQ(cp1252, c.cp1252) << c.utf8;
        std::string back;
        EXPECT_TRUE(Cp1252ToUtf8(cp1252, back));
        EXPECT_EQ(back, c.utf8);
    }
}

TEST(NameCodec, NamesTheOffendingCharacter) {
    std::string cp1252, offending;
    EXPECT_FALSE(Utf8ToCp1252("Año 数", cp1252, &offending));
    EXPECT_EQ(offending, "数");
}

TEST(NameCodec, UnassignedBytesAreNoCharacters) {
    std::string utf8;
    for (const char* bad : {"\x81", "\x8D", "\x8F", "\x90", "\x9D"}) {
        EXPECT_FALSE(Cp1252ToUtf8(std::string("a") + bad, utf8)) << int(static_cast<unsigned char>(bad[0]));
    }
    EXPECT_EQ(DisplayName("Ayuda\\Im\xE1genes\\\x81\x01"), "Ayuda/Imágenes/\\x81\\x01");
}

TEST(NameCodec, FoldsLetterCaseAsWindowsDoes) {
    EXPECT_EQ(FoldCp1252("DISE\xD1O"), FoldCp1252("dise\xF1o"));
    EXPECT_EQ(FoldCp1252("\x8A\x8C\x8E\x9F"), FoldCp1252("\x9A\x9C\x9E\xFF"));
    EXPECT_NE(FoldCp1252("\xD7"), FoldCp1252("\xF7"));  // × and ÷ are no letters
    EXPECT_NE(FoldCp1252("n"), FoldCp1252("\xF1"));
}

struct NameCase {
    std::string name;  // Windows-1252
    bool accepted;
};

TEST(WindowsNames, RefusesWhatWindowsCannotStore) {
    const NameCase cases[] = {
        {"Dise\xF1o.tbl", true}, {"CONFIG.sys", true}, {"COM10", true}, {"console", true},
        {"a..b", true},          {".hidden", true},    {"CON", false},  {"con.txt", false},
        {"Aux.tar.gz", false},   {"nul ", false},      {"COM1", false}, {"lpt9.log", false},
        {"COM\xB9", false},      {"CONOUT$", false},   {"a.", false},   {"a ", false},
        {"x:y", false},          {"a<b", false},       {"a|b", false},  {"what?", false},
        {"*.tbl", false},        {"say\"hi\"", false}, {"tab\there", false},
        {"back\\slash", false},  {"", false},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(WindowsComponentProblem(c.name).empty(), c.accepted) << "'" << c.name << "'";
    }
}

TEST(WindowsNames, ArchivePathsCannotLeaveTheProductFolder) {
    const NameCase cases[] = {
        {"Data\\Clientes.tbl", true},
        {"Marcas\\BRIVANT", true},
        {std::string(149, 'a'), true},
        {"..\\evil.exe", false},
        {"Data\\..\\..\\evil.exe", false},
        {"Data\\.\\x", false},
        {"\\Windows\\evil.exe", false},
        {"C:\\evil.exe", false},
        {"C:evil.exe", false},
        {"Data\\\\x", false},
        {"Data\\", false},
        {"Data/../x", false},
        {"Data\\\x81", false},
        {"Data\\CON", false},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(ArchiveNameProblem(c.name).empty(), c.accepted) << "'" << c.name << "'";
    }
    EXPECT_FALSE(ArchiveNameProblem(std::string(150, 'a')).empty());
}

struct GlobCase {
    const char* pattern;
    const char* name;  // Windows-1252, as stored
    bool matches;
};

TEST(NameGlob, MatchesRelativePathsWithoutCrossingFolders) {
    const GlobCase cases[] = {
        {"Data/*.tbl", "Data\\Clientes.tbl", true},
        {"data/*.TBL", "DATA\\clientes.tbl", true},
        {"Data/*.tbl", "Data\\Sub\\x.tbl", false},
        {"Data/*.tbl", "OrvServer\\Data\\x.tbl", false},
        {"*/Data/*.tbl", "OrvServer\\Data\\x.tbl", true},
        {"*.tbl", "Data\\x.tbl", false},
        {"Data\\*.tbl", "Data\\x.tbl", true},
        {"./Data/*.tbl", "Data\\x.tbl", true},
        {"Data/?.tbl", "Data\\a.tbl", true},
        {"Data/?.tbl", "Data\\ab.tbl", false},
        {"Diseño/*", "DISE\xD1O\\x", true},
        {"*a*b*", "xaxxbx", true},
        {"*a*b", "xaxxbx", false},
    };
    for (const GlobCase& c : cases) {
        EXPECT_EQ(NameGlob("--keep", c.pattern).Matches(c.name), c.matches) << c.pattern << " vs " << c.name;
    }
}

TEST(NameGlob, RefusesPatternsWindows1252CannotHold) {
    EXPECT_THROW(NameGlob("--keep", "数据/*"), SmxToolError);
}

}  // namespace
