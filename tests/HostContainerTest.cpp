// Typed values, containers, file names and text of the host.
#include <gtest/gtest.h>

#include "c4d.h"

namespace {

TEST(GeData, TypeNumbersAndNumericConversions) {
  const struct {
    const char* name;
    GeData data;
    LONG type;
    LONG asLong;
    Real asReal;
  } rows[] = {
      {"nil", GeData(), DA_NIL, 0, 0.0},
      {"bool", GeData(true), DA_LONG, 1, 1.0},
      {"long", GeData(LONG(-7)), DA_LONG, -7, -7.0},
      {"real", GeData(2.75), DA_REAL, 2, 2.75},
      {"huge real", GeData(1e300), DA_REAL, 2147483647, 1e300},
      {"string", GeData(String("walk")), DA_STRING, 0, 0.0},
      {"filename", GeData(Filename("a.tif")), DA_FILENAME, 0, 0.0},
      {"vector", GeData(Vector(1, 2, 3)), DA_VECTOR, 0, 0.0},
      {"time", GeData(BaseTime(1, 3)), DA_TIME, 0, 0.0},
      {"container", GeData(BaseContainer(5)), DA_CONTAINER, 0, 0.0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.data.GetType(), row.type);
    EXPECT_EQ(row.data.GetLong(), row.asLong);
    EXPECT_EQ(row.data.GetReal(), row.asReal);
  }
  EXPECT_TRUE(GeData(true).IsBool());
  EXPECT_FALSE(GeData(LONG(1)).IsBool());
}

TEST(GeData, EqualityNeedsTypeAndValue) {
  EXPECT_TRUE(GeData(LONG(1)) == GeData(true));
  EXPECT_FALSE(GeData(LONG(1)) == GeData(1.0));
  EXPECT_FALSE(GeData(String("a.tif")) == GeData(Filename("a.tif")));
  EXPECT_TRUE(GeData(Filename("a.tif")) == GeData(Filename("a.tif")));
  EXPECT_TRUE(GeData(String("x")) != GeData(String("y")));
  EXPECT_TRUE(GeData() == GeData());
  EXPECT_EQ(GeData(String("x")).GetFilename().GetString(), String());
}

TEST(BaseContainer, TypedRoundTripWithDefaults) {
  BaseContainer settings(1031254);
  settings.SetBool(2000, TRUE);
  settings.SetReal(2001, 0.5);
  settings.SetLong(2002, 2);
  settings.SetString(2003, "walk");
  settings.SetFilename(2004, Filename("res/a.tif"));
  settings.SetVector(2005, Vector(1, 0.5, 0));
  settings.SetTime(2006, BaseTime(7, 120));
  EXPECT_EQ(settings.GetId(), 1031254);
  EXPECT_TRUE(settings.GetBool(2000));
  EXPECT_TRUE(settings.GetData(2000).IsBool());
  EXPECT_EQ(settings.GetReal(2001), 0.5);
  EXPECT_EQ(settings.GetLong(2002), 2);
  EXPECT_EQ(settings.GetReal(2002), 2.0);
  EXPECT_EQ(settings.GetString(2003), String("walk"));
  EXPECT_EQ(settings.GetFilename(2004), Filename("res/a.tif"));
  EXPECT_EQ(settings.GetVector(2005), Vector(1, 0.5, 0));
  EXPECT_TRUE(settings.GetTime(2006) == BaseTime(7, 120));
  EXPECT_EQ(settings.GetLong(9999, 42), 42);
  EXPECT_EQ(settings.GetString(9999, "none"), String("none"));
  EXPECT_EQ(settings.GetDataPointer(9999), nullptr);
  EXPECT_EQ(settings.GetData(9999).GetType(), DA_NIL);
  settings.SetLong(2000, 0);
  EXPECT_EQ(settings.GetIndexId(0), 2000);
  EXPECT_EQ(settings.GetIndexId(7), NOTOK);
  EXPECT_TRUE(settings.RemoveData(2000));
  EXPECT_FALSE(settings.RemoveData(2000));
  EXPECT_EQ(settings.GetIndexId(0), 2001);
}

TEST(BaseContainer, SubContainersAreOwnedCopies) {
  BaseContainer data;
  BaseContainer sub(1031254);
  sub.SetReal(2001, 0.25);
  data.SetContainer(1031254, sub);
  sub.SetReal(2001, 9.0);
  BaseContainer* stored = data.GetContainerInstance(1031254);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->GetReal(2001), 0.25);
  EXPECT_EQ(stored->GetId(), 1031254);
  stored->SetLong(2002, 1);
  BaseContainer copy = data;
  EXPECT_TRUE(copy == data);
  copy.GetContainerInstance(1031254)->SetLong(2002, 2);
  EXPECT_EQ(data.GetContainer(1031254).GetLong(2002), 1);
  EXPECT_FALSE(copy == data);
  EXPECT_EQ(data.GetContainerInstance(5), nullptr);
  data.SetLong(5, 1);
  EXPECT_EQ(data.GetContainerInstance(5), nullptr);
  EXPECT_EQ(data.GetContainer(5).GetEntryCount(), 0);
}

TEST(Filename, JoinsAndSplitsAtSlashes) {
  EXPECT_EQ((Filename("plugins/thinfold/") + Filename("/res")).GetString(),
            String("plugins/thinfold/res"));
  EXPECT_EQ((Filename() + Filename("res")).GetString(), String("res"));
  Filename icons = Filename("plugins") + Filename("res") + Filename("IconPalette.tif");
  EXPECT_EQ(icons.GetFile().GetString(), String("IconPalette.tif"));
  EXPECT_EQ(icons.GetDirectory().GetString(), String("plugins/res"));
  EXPECT_EQ(Filename("a.tif").GetDirectory().GetString(), String());
}

TEST(String, LengthInCharactersAndNumberForms) {
  const String text("Grüße");
  EXPECT_EQ(text.GetLength(), 5);
  EXPECT_EQ(text.GetCStringLen(), 7);
  char buffer[4];
  text.GetCString(buffer, sizeof(buffer));
  EXPECT_STREQ(buffer, "Gr\xc3");
  EXPECT_EQ(LongToString(-42), String("-42"));
  EXPECT_EQ(RealToString(0.1), String("0.1"));
  EXPECT_EQ(RealToString(57.0, -1, -1), String("57"));
  EXPECT_EQ(RealToString(2.345, -1, 1), String("2.3"));
  EXPECT_EQ(RealToString(2.5, 3, 2), String("002.50"));
  EXPECT_EQ(GeGetPercentChar(), String("%"));
}

}  // namespace
