// The strict readers of what clients send: form encoding, numbers, lists, names, chat.
#include "base/bad_request.hpp"
#include "base/form.hpp"
#include "base/number_list.hpp"
#include "base/text_checks.hpp"

#include <gtest/gtest.h>

#include <climits>

namespace qz::server {
namespace {

TEST(FormDecoding, PlusIsSpaceAndEscapesAreBytes) {
    EXPECT_EQ(urlDecode("a+b%2C%3B%26%C3%BC%ff"), std::string("a b,;&\xC3\xBC\xFF"));
    EXPECT_EQ(urlDecode(""), "");
    EXPECT_THROW(urlDecode("%2"), BadRequest);
    EXPECT_THROW(urlDecode("abc%"), BadRequest);
    EXPECT_THROW(urlDecode("%zz"), BadRequest);
}

TEST(FormDecoding, PairsKeepOrderAndTheLastOfTwoEqualKeysCounts) {
    const FormFields form = parseForm("infos=spiel&&i1=Anna&leer&i1=Ben&chat=hallo+du%21");
    EXPECT_EQ(form.size(), 5u);
    EXPECT_EQ(form.value("infos"), "spiel");
    EXPECT_EQ(form.value("i1"), "Ben");
    EXPECT_TRUE(form.has("leer"));
    EXPECT_EQ(form.value("leer"), "");
    EXPECT_EQ(form.value("chat"), "hallo du!");
    EXPECT_FALSE(form.has("fehlt"));
}

TEST(FormDecoding, EveryEscapeIsCheckedEvenInValuesNobodyReads) {
    for (const char* bad : {"a=%2", "a=%", "a=%G1&b=1", "a=1%", "a=%4%41", "%zz=1", "a=1&b=x%0"}) {
        EXPECT_THROW(parseForm(bad), BadRequest) << bad;
    }
    const FormFields form = parseForm("a=%41%42%2c&b=%25");
    EXPECT_EQ(form.value("a"), "AB,");
    EXPECT_EQ(form.raw("a"), "%41%42%2c");
    EXPECT_EQ(form.value("b"), "%");
    EXPECT_EQ(form.raw("fehlt"), "");
}

TEST(FormDecoding, TooManyPairsAreRefused) {
    std::string body;
    for (int i = 0; i < 300; ++i) {
        body += 'k';
        body += std::to_string(i);
        body += "=1&";
    }
    EXPECT_THROW(parseForm(body), BadRequest);
}

TEST(Numbers, OnlyPlainThirtyTwoBitDecimalsParse) {
    EXPECT_EQ(parseInt("0"), 0);
    EXPECT_EQ(parseInt("-2147483648"), INT_MIN);
    EXPECT_EQ(parseInt("2147483647"), INT_MAX);
    for (const char* bad : {"", "2147483648", "+1", " 1", "1 ", "0x10", "1.5", "-", "1e3"}) {
        EXPECT_FALSE(parseInt(bad).has_value()) << bad;
    }
    EXPECT_EQ(requireIntInRange("4", "i3", 2, 4), 4);
    EXPECT_THROW(requireIntInRange("5", "i3", 2, 4), BadRequest);
}

TEST(Lists, EveryEntryHasItsLeadingComma) {
    EXPECT_TRUE(splitList("", "x").empty());
    EXPECT_EQ(parseIntList(",1,-2,30", "x"), (std::vector<int>{1, -2, 30}));
    EXPECT_EQ(splitList(",", "x").size(), 1u);
    EXPECT_THROW(parseIntList(",", "x"), BadRequest) << "an empty entry is no number";
    EXPECT_THROW(parseIntList("1,2", "x"), BadRequest);
    EXPECT_THROW(parseIntList(",1,,2", "x"), BadRequest);
    EXPECT_THROW(parseIntListInRange(",1,51", "x", 1, 50), BadRequest);
    std::string longest;
    for (std::size_t i = 0; i < 20000; ++i) longest += ",1";
    EXPECT_EQ(parseIntList(longest, "x").size(), 20000u);
    EXPECT_THROW(parseIntList(longest + ",1", "x"), BadRequest);
}

TEST(Lists, RoutesAreDigitsOnly) {
    EXPECT_EQ(parseRouteList(",0,1112229,9", "si4").size(), 3u);
    EXPECT_THROW(parseRouteList(",12-3", "si4"), BadRequest);
    EXPECT_THROW(parseRouteList(",", "si4"), BadRequest);
    std::string out;
    appendIntList(out, {3, -1, 0});
    EXPECT_EQ(out, ",3,-1,0");
}

TEST(Names, FifteenCharactersWithoutSeparators) {
    EXPECT_NO_THROW(requireName("Fünfzehn Zeich.", "n")) << "15 characters, one of them two bytes";
    EXPECT_THROW(requireName("Sechzehn Zeichen", "n"), BadRequest);
    EXPECT_EQ(characterCount("J\xFCrgen"), 6u) << "a Latin-1 byte counts as one character";
    EXPECT_EQ(characterCount("Jürgen"), 6u);
    for (const char* bad : {"", "   ", "a,b", "a;b", "a#b", "a:b", "a\tb"}) {
        EXPECT_THROW(requireName(bad, "n"), BadRequest) << bad;
    }
    EXPECT_NO_THROW(requireOptionalName("", "p"));
    EXPECT_NO_THROW(requireName("Max-Power 2", "n"));
}

TEST(Chat, LinesMayHoldColonsButNoRecordOrFrameMarks) {
    EXPECT_NO_THROW(requireChatLine("gg :) wir sehen uns - morgen"));
    EXPECT_THROW(requireChatLine(""), BadRequest);
    EXPECT_THROW(requireChatLine("a;b"), BadRequest);
    EXPECT_THROW(requireChatLine("x-chat#"), BadRequest);
    EXPECT_THROW(requireChatLine("ende:EDOC"), BadRequest);
    EXPECT_NO_THROW(requireChatLine(std::string(80, 'x')));
    EXPECT_THROW(requireChatLine(std::string(81, 'x')), BadRequest);
}

}  // namespace
}  // namespace qz::server
