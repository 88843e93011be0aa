// SUB_EINGABE: limits per field, Backspace, control keys, the chat's refused ";".
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

TEST(InputField, ChatRefusesSemicolonOthersTakeIt)
{
    std::string chat, pw;
    SUB_EINGABE(";", chat, "chat");
    SUB_EINGABE(";", pw, "passwort");
    EXPECT_EQ(chat, "");
    EXPECT_EQ(pw, ";");
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
