// How a private-profile text is read and how a write changes it, line by line.
#include "core/settings/IniDocument.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

using halcyx::IniDocument;
using namespace std::string_literals;

namespace {

TEST(IniDocument, FindsWhatAProfileReaderFinds) {
    const struct {
        std::string text;
        std::optional<std::string> valueOfAk; // section "A", key "k"
    } cases[] = {
        {"[A]\nk=3\n", "3"},
        {"[A]\r\nk=3", "3"},
        {"[a]\r\nK=3\r\n", "3"},
        {"  [ A ]  \n\t k \t=  a b  \r\n", "a b"},
        {"[A]\nk=\n", ""},
        {"[A]\nk=x=y\n", "x=y"},
        {"[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n", "1"},
        {"[A]\nk=1\nK=2\n", "1"},
        {"[A]\nx=1\n[B]\nk=2\n", std::nullopt},
        {"k=1\n[A]\n", std::nullopt},
        {"[A]\n;k=1\n", std::nullopt},
        {"[A]\n#!garbage\n=orphan\nk=1\n", "1"},
        {"[A]\nx=1\n[B\nk=2\n", std::nullopt}, // an unclosed header still ends section A
        {"[A\nk=2\n", "2"},
        {"[A]\nk=ab\0cd\n"s, "ab"},
        {"[A]\nk\0=1\n"s, std::nullopt},
        {"[A]\0\nk=1\n"s, "1"},
        {"[B]\nk=1\n\0\0[A]\nk=2\n"s, std::nullopt}, // a header behind NULs names no section
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniDocument(c.text).find("A", "k"), c.valueOfAk)
            << testing::PrintToString(c.text);
}

TEST(IniDocument, SetChangesOnlyTheOneKey) {
    const struct {
        std::string before;
        const char* value; // of section "A", key "k"
        std::string after;
    } cases[] = {
        {"", "2", "[A]\r\nk=2\r\n"},
        {"; top\n[a]\nK = 1 \nz=3\n", "2", "; top\r\n[a]\r\nK=2\r\nz=3\r\n"},
        {"[A]\nx=1\n; about y\ny=2\n\n; about B\n[B]\nz=3\n", "v",
         "[A]\r\nx=1\r\n; about y\r\ny=2\r\nk=v\r\n\r\n; about B\r\n[B]\r\nz=3\r\n"},
        {"[A]\n; nothing yet\n[B]\n", "v", "[A]\r\nk=v\r\n; nothing yet\r\n[B]\r\n"},
        {"[B]\nx=1", "v", "[B]\r\nx=1\r\n\r\n[A]\r\nk=v\r\n"},
        {"[A]\nk=1\n[A]\nk=2\n", "9", "[A]\r\nk=9\r\n[A]\r\nk=2\r\n"},
        {"junk\n[A]\n  odd \0 \nk=1\n"s, "2", "junk\r\n[A]\r\n  odd \0 \r\nk=2\r\n"s},
        {"[A]\nk=1\n", "2\r\n[B]\nx=1", "[A]\r\nk=2\r\n"},
    };
    for (const auto& c : cases) {
        IniDocument document(c.before);
        document.set("A", "k", c.value);
        EXPECT_EQ(document.text(), c.after) << testing::PrintToString(c.before);
    }
}

} // namespace
