#include <gtest/gtest.h>

#include "automation/CVarColl.h"
#include "base/RuntimeError.h"
#include "support/ErrorNumber.h"

namespace velmora {
namespace {

using test::ErrorNumberOf;

std::vector<std::string> Names(const CVarColl& c) { return c.Enumerate(); }

TEST(CVarColl, PositionsKeysAndTheCollectionsErrors) {
  CVarColl c;
  c.Add("LOT");
  c.Add("SERIAL", "s");
  c.Add("LOT");
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(Variant(1)), Variant("LOT"));
  EXPECT_EQ(c.Item(Variant("S")), Variant("SERIAL")) << "keys compare without regard to case";
  EXPECT_EQ(c.Item(Variant(2.6)), Variant("LOT")) << "a position is rounded";
  const struct {
    const char* what;
    std::function<void()> call;
    int error;
  } failures[] = {
      {"position 0", [&] { c.Item(Variant(0)); }, 9},
      {"position past Count", [&] { c.Item(Variant(4)); }, 9},
      {"remove past Count", [&] { c.Remove(Variant(-1)); }, 9},
      {"missing key", [&] { c.Item(Variant("nokey")); }, 5},
      {"remove missing key", [&] { c.Remove(Variant("nokey")); }, 5},
      {"a text position is a key", [&] { c.Item(Variant("1")); }, 5},
      {"duplicate key", [&] { c.Add("OTHER", "S"); }, 457},
      {"assigning to a text element", [&] { c.SetItem(Variant(1), Variant("x")); }, 438},
  };
  for (const auto& f : failures) EXPECT_EQ(ErrorNumberOf(f.call), f.error) << f.what;
  EXPECT_EQ(Names(c), (std::vector<std::string>{"LOT", "SERIAL", "LOT"})) << "no failure changed anything";
}

TEST(CVarColl, RemoveShiftsLaterPositionsAndRemoveAllEmpties) {
  CVarColl c;
  for (const char* name : {"A", "B", "C"}) c.Add(name);
  c.Remove(Variant(1));
  EXPECT_EQ(c.Item(Variant(1)), Variant("B"));
  EXPECT_EQ(Names(c), (std::vector<std::string>{"B", "C"}));
  c.RemoveAll();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_TRUE(c.NewEnum().empty());
  c.Add("D", "k");
  c.Add("E", "other");
  EXPECT_EQ(c.Item(Variant("K")), Variant("D")) << "a key is free again after RemoveAll";
  EXPECT_EQ(c.Count(), 2);
}

}  // namespace
}  // namespace velmora
