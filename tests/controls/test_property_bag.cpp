#include "controls/PropertyBag.h"

#include <gtest/gtest.h>

using namespace zorbel::controls;

TEST(PropertyBag, ReadGivesDefaultWhenMissing)
{
    PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("ButtonCaption", "btnOK").toString(), "btnOK");
    EXPECT_EQ(bag.ReadProperty("ButtonStatus", 0).toInt(), 0);
    EXPECT_FALSE(bag.ReadProperty("Nothing").isValid());
    EXPECT_FALSE(bag.Changed());
}

TEST(PropertyBag, NamesMatchWithoutCase)
{
    PropertyBag bag;
    bag.WriteProperty("ButtonCaption", "OK", "btnOK");
    EXPECT_TRUE(bag.Contains("buttoncaption"));
    EXPECT_TRUE(bag.Contains("BUTTONCAPTION"));
    EXPECT_EQ(bag.ReadProperty("buttoncaption", "x").toString(), "OK");
    EXPECT_EQ(bag.Names(), QStringList{"buttoncaption"});
    // A bag saved by the host with lower-case names reads back with any case.
    const PropertyBag loaded = PropertyBag::FromMap({{"buttonstatus", 2}});
    EXPECT_EQ(loaded.ReadProperty("ButtonStatus", 0).toInt(), 2);
}

TEST(PropertyBag, ValuesEqualToDefaultAreOmitted)
{
    PropertyBag bag;
    bag.WriteProperty("ButtonCaption", "btnOK", "btnOK");
    bag.WriteProperty("ButtonStatus", 0, 0);
    bag.WriteProperty("LEDType", qint16(0), 0);
    EXPECT_TRUE(bag.IsEmpty());
    EXPECT_FALSE(bag.Changed());

    bag.WriteProperty("ButtonStatus", 2, 0);
    EXPECT_TRUE(bag.Contains("ButtonStatus"));
    EXPECT_TRUE(bag.Changed());
    bag.ClearChanged();

    // Writing the default again removes the earlier entry.
    bag.WriteProperty("buttonSTATUS", 0, 0);
    EXPECT_FALSE(bag.Contains("ButtonStatus"));
    EXPECT_TRUE(bag.Changed());

    // Strings compare with case.
    bag.WriteProperty("ButtonCaption", "BTNOK", "btnOK");
    EXPECT_TRUE(bag.Contains("ButtonCaption"));
}

TEST(PropertyBag, ChangedMark)
{
    PropertyBag bag;
    bag.WriteProperty("A", 1, 0);
    EXPECT_TRUE(bag.Changed());
    bag.ClearChanged();
    bag.WriteProperty("a", 1, 0); // same value: nothing changes
    EXPECT_FALSE(bag.Changed());
    bag.MarkChanged();
    EXPECT_TRUE(bag.Changed());
    bag.ClearChanged();
    bag.Remove("A");
    EXPECT_TRUE(bag.Changed());
}

TEST(PropertyBag, MapRoundTrip)
{
    PropertyBag bag;
    bag.WriteProperty("ButtonCaption", "Add", "btnAdd");
    bag.WriteProperty("ButtonStatus", 2, 0);
    const PropertyBag copy = PropertyBag::FromMap(bag.ToMap());
    EXPECT_TRUE(copy == bag);
    EXPECT_FALSE(copy.Changed());
}

TEST(PropertyBag, ToInt16)
{
    EXPECT_EQ(PropertyBag::ToInt16(QVariant(7)), 7);
    EXPECT_EQ(PropertyBag::ToInt16(QVariant(-1)), -1);
    EXPECT_EQ(PropertyBag::ToInt16(QVariant("12")), 12);
    EXPECT_EQ(PropertyBag::ToInt16(QVariant(2.5)), 2);
    EXPECT_EQ(PropertyBag::ToInt16(QVariant(3.5)), 4);
    EXPECT_EQ(PropertyBag::ToInt16(QVariant(true)), -1);
    EXPECT_EQ(PropertyBag::ToInt16(QVariant()), 0);
    EXPECT_EQ(PropertyBag::ToInt16(QVariant(32767)), 32767);
    try {
        PropertyBag::ToInt16(QVariant(40000));
        FAIL() << "no overflow";
    } catch (const PropertyError &e) {
        EXPECT_EQ(e.Number(), 6);
    }
    try {
        PropertyBag::ToInt16(QVariant("abc"));
        FAIL() << "no type mismatch";
    } catch (const PropertyError &e) {
        EXPECT_EQ(e.Number(), 13);
    }
}
