// Reading tagged records out of a reply: first record wins, absent and empty records, cut-off
// replies and the battle records' numbered marks.
#include "multiplayer/exchange/tagged_records.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(TaggedRecords, ContentBetweenTheMarksAnythingAround)
{
    std::string inhalt;
    ASSERT_TRUE(recordLesen("xx#NAM-,A,B-NAM#yy#BES-,1-BES#", "NAM", inhalt));
    EXPECT_EQ(inhalt, ",A,B");
    ASSERT_TRUE(recordLesen("xx#NAM-,A,B-NAM#yy#BES-,1-BES#", "BES", inhalt));
    EXPECT_EQ(inhalt, ",1");
}

TEST(TaggedRecords, AbsentEmptyAndCutOffRecordsLeaveTheTargetAlone)
{
    std::string inhalt = "vorher";
    EXPECT_FALSE(recordLesen("#BES-,1-BES#", "NAM", inhalt));
    EXPECT_FALSE(recordLesen("#NAM--NAM#", "NAM", inhalt));
    EXPECT_FALSE(recordLesen("#NAM-,A,B", "NAM", inhalt));
    EXPECT_EQ(inhalt, "vorher");
}

TEST(TaggedRecords, TagsAreCaseSensitive)
{
    std::string inhalt;
    EXPECT_FALSE(recordLesen("#si1typ-,1-si1typ#", "TYP", inhalt));
    EXPECT_TRUE(recordLesen("#si1typ-,1-si1typ##TYP-,5-TYP#", "TYP", inhalt));
    EXPECT_EQ(inhalt, ",5");
}

TEST(TaggedRecords, BattleRecordOfSystemFiveIsNotThatOfFifteenOrFifty)
{
    const std::string antwort = "#kuml15-fuenfzehn-15kuml##kuml50-fuenfzig-50kuml#";
    std::string inhalt;
    EXPECT_FALSE(kampfRecordLesen(antwort, 5, inhalt));
    ASSERT_TRUE(kampfRecordLesen(antwort + "#kuml5-fuenf-5kuml#", 5, inhalt));
    EXPECT_EQ(inhalt, "fuenf");
    ASSERT_TRUE(kampfRecordLesen(antwort, 50, inhalt));
    EXPECT_EQ(inhalt, "fuenfzig");
}

TEST(TaggedRecords, ListRecordsCutAtCommasWithTheValuesFromOne)
{
    std::vector<std::string> werte;
    EXPECT_EQ(listenRecordLesen("#POX-,10,20,30-POX#", "POX", werte), 3);
    ASSERT_EQ(werte.size(), 4u);
    EXPECT_EQ(werte[0], "");
    EXPECT_EQ(werte[3], "30");
    EXPECT_EQ(listenRecordLesen("nichts", "POX", werte), 0);
    EXPECT_TRUE(werte.empty());
}

}  // namespace
}  // namespace qz
