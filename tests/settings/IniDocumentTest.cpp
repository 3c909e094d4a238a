// How a private-profile text is read and how a write changes it, line by line.
#include "settings/IniDocument.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

using halcyx::IniDocument;

namespace {

struct LookupCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class Lookup : public testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, FindsWhatAReaderWouldFind) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(IniDocument(c.text).find(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    IniDocument, Lookup,
    testing::Values(
        LookupCase{"Plain", "[COMMPORT]\nPort=3\n", "COMMPORT", "Port", "3"},
        LookupCase{"CrLf", "[COMMPORT]\r\nPort=3\r\n", "COMMPORT", "Port", "3"},
        LookupCase{"NoFinalLineEnd", "[COMMPORT]\r\nPort=3", "COMMPORT", "Port", "3"},
        LookupCase{"CaseOfNames", "[commPort]\nPORT=3\n", "COMMPORT", "port", "3"},
        LookupCase{"BlanksTrimmed", "  [ COMMPORT ]  \n\t Port \t=  a b  \r\n", "COMMPORT", "Port",
                   "a b"},
        LookupCase{"EmptyValue", "[A]\nk=\n", "A", "k", ""},
        LookupCase{"EqualsInValue", "[A]\nk=x=y\n", "A", "k", "x=y"},
        LookupCase{"FirstSectionWins", "[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n", "A", "k", "1"},
        LookupCase{"FirstKeyWins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        LookupCase{"KeyOfAnotherSection", "[A]\nx=1\n[B]\nk=2\n", "A", "k", std::nullopt},
        LookupCase{"KeyBeforeAnySection", "k=1\n[A]\n", "A", "k", std::nullopt},
        LookupCase{"CommentedKey", "[A]\n;k=1\n", "A", "k", std::nullopt},
        LookupCase{"GarbageIgnored", "[A]\n#!garbage\n=orphan\nk=1\n", "A", "k", "1"},
        LookupCase{"UnclosedHeaderStartsASection", "[A]\nx=1\n[B\nk=2\n", "A", "k", std::nullopt},
        LookupCase{"UnclosedHeaderName", "[B\nk=2\n", "B", "k", "2"},
        LookupCase{"ValueCutAtNul", std::string("[A]\nk=ab\0cd\n", 12), "A", "k", "ab"},
        LookupCase{"NulInKeyNeverMatches", std::string("[A]\nk\0=1\n", 9), "A", "k", std::nullopt},
        LookupCase{"EmptyText", "", "A", "k", std::nullopt}),
    [](const testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

struct SetCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class Set : public testing::TestWithParam<SetCase> {};

TEST_P(Set, ChangesOnlyTheOneKey) {
    const SetCase& c = GetParam();
    IniDocument document(c.before);
    document.set(c.section, c.key, c.value);
    EXPECT_EQ(document.text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    IniDocument, Set,
    testing::Values(
        SetCase{"IntoEmpty", "", "COMMPORT", "Port", "2", "[COMMPORT]\r\nPort=2\r\n"},
        SetCase{"ReplacesInPlaceKeepingItsSpelling", "; top\n[commport]\nPORT = 1 \nBaudrate=300\n",
                "COMMPORT", "Port", "2", "; top\r\n[commport]\r\nPORT=2\r\nBaudrate=300\r\n"},
        SetCase{"NewKeyAfterLastKeyOfItsSection",
                "[A]\nx=1\n; about y\ny=2\n\n; about B\n[B]\nz=3\n", "A", "k", "v",
                "[A]\r\nx=1\r\n; about y\r\ny=2\r\nk=v\r\n\r\n; about B\r\n[B]\r\nz=3\r\n"},
        SetCase{"NewKeyInSectionWithoutKeys", "[A]\n; nothing yet\n[B]\n", "A", "k", "v",
                "[A]\r\nk=v\r\n; nothing yet\r\n[B]\r\n"},
        SetCase{"NewSectionAtTheEnd", "[A]\nx=1", "B", "k", "v",
                "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        SetCase{"OnlyTheFirstOfDuplicates", "[A]\nk=1\n[A]\nk=2\n", "a", "K", "9",
                "[A]\r\nk=9\r\n[A]\r\nk=2\r\n"},
        SetCase{"GarbageKeptVerbatim", "junk line\n[A]\n  odd  \t\nk=1\n", "A", "k", "2",
                "junk line\r\n[A]\r\n  odd  \t\r\nk=2\r\n"},
        SetCase{"LineBreakInValueCannotAddLines", "[A]\nk=1\n", "A", "k", "2\r\n[B]\nx=1",
                "[A]\r\nk=2\r\n"}),
    [](const testing::TestParamInfo<SetCase>& info) { return info.param.name; });

TEST(IniDocument, KeepsNulBytesOfUntouchedLines) {
    const std::string garbage("x\0y", 3);
    IniDocument document("[A]\n" + garbage + "\nk=1\n");
    document.set("A", "k", "2");
    EXPECT_EQ(document.text(), "[A]\r\n" + garbage + "\r\nk=2\r\n");
}

} // namespace
