#pragma once
// Writes a small catalogue and page text file and points the wizard at them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "ids/DerivedFields.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"
#include "ids/IdTable.h"
#include "support/TempDir.h"

namespace velmora::test {

struct CatalogueEntry {
  std::string number;
  int flags;
  int length;
  int numerical;
  int fixedLength;
  std::string name;
};

class CatalogueFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    ResetHistory();
    Globals().DataDir = dir.Path();
    Globals().PageTextFile = dir.Path() + "cn128A.INF";
  }

  void WriteCatalogue(const std::vector<CatalogueEntry>& entries) {
    std::string id128 = "[Format]\r\nTypeFile=ID128\r\n[ID128]\r\n";
    std::string names = "[Format]\r\nTypeFile=country128\r\n[Country]\r\n";
    for (std::size_t n = 0; n < entries.size(); ++n) {
      const CatalogueEntry& e = entries[n];
      const std::string stem = "id" + std::to_string(n);
      id128 += stem + "_number=" + e.number + "\r\n" + stem + "_Flags=" + std::to_string(e.flags) + "\r\n" + stem +
               "_Length=" + std::to_string(e.length) + "\r\n" + stem + "_numerical=" + std::to_string(e.numerical) +
               "\r\n" + stem + "_FixedLength=" + std::to_string(e.fixedLength) + "\r\n";
      names += stem + "_name=" + e.name + "\r\n";
    }
    dir.Write("ID128.inf", id128);
    dir.Write("cn128A.INF", names);
    LoadIdCatalogue();
  }

  // The standard test catalogue: 01, 10, 310, 410, 37, 8020 as the window would see them.
  void WriteStandardCatalogue() {
    WriteCatalogue({{"01", 5, 14, -1, -1, "GTIN"},
                    {"10", 0, 20, 0, 0, "Batch or lot"},
                    {"310", 2, 6, -1, -1, "Net weight (kg)"},
                    {"410", 1, 13, -1, -1, "Ship to"},
                    {"37", 0, 8, -1, 0, "Count"},
                    {"15", 0, 6, -1, -1, "Best before"}});
  }

  // Appends a record and picks catalogue entry `rank` for it, as page 0 does.
  IdRecord& Pick(std::int16_t rank) {
    AddIdRecord();
    History().CurrentId = static_cast<std::int16_t>(IdCount() - 1);
    IdRecord& r = Current();
    r.IndexInList = rank;
    FillRecordFromCatalogue(r, rank);
    UpdateCurrentId();
    return r;
  }

  IdRecord& Current() { return History().IdTable(History().CurrentId); }

  // Picks an AI and gives it typed data.
  IdRecord& Typed(std::int16_t rank, const std::string& data, std::int16_t checkDigit = 0) {
    IdRecord& r = Pick(rank);
    r.FixData = data;
    r.Choice[0] = checkDigit;
    UpdateCurrentId();
    return r;
  }
  IdRecord& FromVariable(std::int16_t rank, const std::string& variable) {
    IdRecord& r = Pick(rank);
    r.IsFixed = 0;
    r.VarData = variable;
    UpdateCurrentId();
    return r;
  }

  TempDir dir;
};

}  // namespace velmora::test
