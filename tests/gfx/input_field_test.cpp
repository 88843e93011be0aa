// SUB_EINGABE: limits per field, Backspace, control keys, the separators each field refuses.
#include "gfx/widgets.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(InputField, LimitsByFieldName)
{
    EXPECT_EQ(inputFieldLimit("loginname"), 15);
    EXPECT_EQ(inputFieldLimit("channelname"), 15);
    EXPECT_EQ(inputFieldLimit("channelpasswort"), 15);
    EXPECT_EQ(inputFieldLimit("passwort"), 255);
    EXPECT_EQ(inputFieldLimit("chat"), 40);
    EXPECT_EQ(inputFieldLimit("sonstwas"), 0);
}

TEST(InputField, FullFieldRefusesKeysButTakesBackspace)
{
    std::string name(15, 'x');
    SUB_EINGABE("y", name, "loginname");
    EXPECT_EQ(name, std::string(15, 'x'));
    SUB_EINGABE("\x08", name, "loginname");
    EXPECT_EQ(name.size(), 14u);
    SUB_EINGABE("y", name, "loginname");
    EXPECT_EQ(name.back(), 'y');
}

TEST(InputField, BackspaceOnEmptyAndOtherControlKeysDoNothing)
{
    std::string t;
    SUB_EINGABE("\x08", t, "chat");
    SUB_EINGABE("\r", t, "chat");
    SUB_EINGABE("\x1b", t, "chat");
    SUB_EINGABE("", t, "chat");
    EXPECT_EQ(t, "");
}

TEST(InputField, SeparatorsTheServerRefusesAreRefusedWhileTyping)
{
    // Names travel in comma lists and records, the chat in records: each refuses what would
    // make the server refuse its whole request. The password travels as its digest.
    const struct {
        const char* feld;
        const char* verweigert;
        const char* genommen;
    } kFaelle[] = {{"loginname", ",;#:", "a-_."},
                   {"channelname", ",;#:", "a-_."},
                   {"channelpasswort", ",;#:", "a-_."},
                   {"chat", ";#", "a,:."},
                   {"passwort", "", ",;#:"}};
    for (const auto& fall : kFaelle) {
        SCOPED_TRACE(fall.feld);
        std::string text;
        for (const char* c = fall.verweigert; *c; ++c) SUB_EINGABE(std::string(1, *c), text, fall.feld);
        EXPECT_EQ(text, "");
        for (const char* c = fall.genommen; *c; ++c) SUB_EINGABE(std::string(1, *c), text, fall.feld);
        EXPECT_EQ(text, fall.genommen);
    }
    std::string chat = "x :EDO";
    SUB_EINGABE("C", chat, "chat");
    EXPECT_EQ(chat, "x :EDO") << "the reply's end marker cannot be typed";
}

TEST(InputField, UmlautsAndTwoByteKeysAreAppendedWhole)
{
    std::string t;
    SUB_EINGABE("\x81", t, "chat");
    SUB_EINGABE(std::string{'\xff', 'K'}, t, "chat");
    EXPECT_EQ(t, std::string("\x81\xffK"));
    std::string none;
    SUB_EINGABE("a", none, "unbekannt");
    EXPECT_EQ(none, "");
}

}  // namespace
}  // namespace qz
