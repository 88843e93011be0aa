// The request text byte for byte: form encoding, the pair tables and the POST request.
#include "multiplayer/exchange/server_request.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

Feld<KVP> pairs(std::initializer_list<KVP> entries, int hi)
{
    Feld<KVP> table(1, hi);
    int i = 1;
    for (const KVP& entry : entries) table(i++) = entry;
    return table;
}

TEST(Urlencode, LettersAndDigitsStayEverythingElseIsEscaped)
{
    EXPECT_EQ(URLENCODE("AZaz09", 1), "AZaz09");
    EXPECT_EQ(URLENCODE("-_.~", 1), "%2D%5F%2E%7E");
    EXPECT_EQ(URLENCODE("a&b=c", 0), "a%26b%3Dc");
    EXPECT_EQ(URLENCODE("\x84\xFF\x01", 0), "%84%FF%01");
    EXPECT_EQ(URLENCODE(std::string("\0", 1), 0), "%00");
    EXPECT_EQ(URLENCODE("", 1), "");
}

TEST(Urlencode, TheSpaceFlagChoosesBetweenPlusAndPercent20)
{
    EXPECT_EQ(URLENCODE("a b  c", 1), "a+b++c");
    EXPECT_EQ(URLENCODE("a b  c", 0), "a%20b%20%20c");
    EXPECT_EQ(URLENCODE(" ", 7), "+");
}

TEST(FormPairs, KeysAreTrimmedAndSentAsTheyAreValuesAreEncoded)
{
    EXPECT_EQ(RETSTRINGFROMKVPARRAY(pairs({{" infos ", "spiel"}, {"i1", "Kapitän Kirk"}}, 40), 1),
              "infos=spiel&i1=Kapit%C3%A4n+Kirk");
    EXPECT_EQ(RETSTRINGFROMKVPARRAY(pairs({{"a b", "x"}}, 2), 1), "a b=x");
}

TEST(FormPairs, PairsWithoutAKeyAreLeftOutWithoutAStrayAmpersand)
{
    EXPECT_EQ(RETSTRINGFROMKVPARRAY(pairs({{"   ", "weg"}, {"a", "1"}, {"", "weg"}, {"b", ""}, {" ", ""}}, 40), 1),
              "a=1&b=");
    EXPECT_EQ(RETSTRINGFROMKVPARRAY(pairs({{"  ", "x"}}, 2), 0), "");
    EXPECT_EQ(RETSTRINGFROMKVPARRAY(Feld<KVP>(1, 40), 1), "");
}

TEST(FormPairs, TheWholeRangeOfTheTableIsWalked)
{
    Feld<KVP> table(1, 40);
    table(40) = {"letzter", "40"};
    table(1) = {"erster", "1"};
    EXPECT_EQ(RETSTRINGFROMKVPARRAY(table, 1), "erster=1&letzter=40");
}

TEST(PostRequest, TheGamesRequestWithSessionAndBody)
{
    const auto get = pairs({{"PHPSESSID", "abc 123&x"}}, 2);
    const auto post = pairs({{"infos", "spiel"}, {"i1", "Zaphod B"}, {"chat", "hi & bye"}}, 40);
    EXPECT_EQ(RETHTTPPOSTREQUESTSTRING("10.1.2.3", 80, "/games/qz/datenabfrage.php", get, post),
              "POST /games/qz/datenabfrage.php?PHPSESSID=abc%20123%26x HTTP/1.1\r\n"
              "Host: 10.1.2.3\r\n"
              "Connection: close\r\n"
              "Accept: */*\r\n"
              "Accept-Encoding: \r\n"
              "User-Agent: Sample HTTP Client in Quillbox\r\n"
              "Content-Type: application/x-www-form-urlencoded\r\n"
              "Content-Length: 39\r\n"
              "\r\n"
              "infos=spiel&i1=Zaphod+B&chat=hi+%26+bye");
}

TEST(PostRequest, NoQueryPairsMeansNoQuestionMarkAnOtherPortIsNamedAndAKeyIsAdded)
{
    const auto post = pairs({{"infos", "onlinecheck"}}, 40);
    EXPECT_EQ(RETHTTPPOSTREQUESTSTRING("127.0.0.1", 8080, kServerPath, pairs({{" ", "x"}}, 2), post),
              "POST /games/qz/datenabfrage.php HTTP/1.1\r\n"
              "Host: 127.0.0.1:8080\r\n"
              "Connection: close\r\n"
              "Accept: */*\r\n"
              "Accept-Encoding: \r\n"
              "User-Agent: Sample HTTP Client in Quillbox\r\n"
              "Content-Type: application/x-www-form-urlencoded\r\n"
              "Content-Length: 17\r\n"
              "\r\n"
              "infos=onlinecheck");
    // The game's private server gets its key in one more line.
    EXPECT_EQ(RETHTTPPOSTREQUESTSTRING("127.0.0.1", 8080, kServerPath, Feld<KVP>(1, 2), post, "0f1e"),
              "POST /games/qz/datenabfrage.php HTTP/1.1\r\n"
              "Host: 127.0.0.1:8080\r\n"
              "Connection: close\r\n"
              "Accept: */*\r\n"
              "Accept-Encoding: \r\n"
              "User-Agent: Sample HTTP Client in Quillbox\r\n"
              "Content-Type: application/x-www-form-urlencoded\r\n"
              "X-QZ-Key: 0f1e\r\n"
              "Content-Length: 17\r\n"
              "\r\n"
              "infos=onlinecheck");
}

TEST(PostRequest, ContentLengthCountsTheEncodedBytesAndAnEmptyBodyIsZero)
{
    const std::string request =
        RETHTTPPOSTREQUESTSTRING("h", 80, "/p", Feld<KVP>(1, 2), pairs({{"k", "\xE4 \xF6"}}, 40));
    EXPECT_NE(request.find("Content-Length: 9\r\n\r\nk=%E4+%F6"), std::string::npos) << request;
    const std::string empty = RETHTTPPOSTREQUESTSTRING("h", 80, "/p", Feld<KVP>(1, 2), Feld<KVP>(1, 40));
    EXPECT_TRUE(empty.ends_with("Content-Length: 0\r\n\r\n")) << empty;
}

}  // namespace
}  // namespace qz
