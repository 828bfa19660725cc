// velmora-label's check in process: what it says and its status, for the
// forms of input that need no template (and so no catalogue).
#include <gtest/gtest.h>

#include <sstream>

#include "commands/LabelCommands.h"

namespace velmora::commands {
namespace {

TEST(CheckCommand, ElementStringsAndLinksNeedNoDataFolder) {
  const struct {
    const char* elements;  // nullptr: the link instead
    const char* link;
    int status;
    const char* says;
  } rows[] = {
      {"(01)09506000134352(17)271231(10)ABC123", nullptr, kStatusOk,
       "elements: (01)09506000134352(17)271231(10)ABC123"},
      {"(01)09506000134353", nullptr, kStatusFindings, "check digit"},
      {"(01)123(10", nullptr, kStatusBadInput, "'(' without its ')'"},
      {"(00)095060000000000015(02)09506000134352(37)48(10)LOT2027A(15)271231", nullptr, kStatusFindings,
       "AI (10): the GS1-128 symbol reaches 60 data characters with this AI; it holds 48 at most"},
      {nullptr, "https://id.gs1.org/01/09506000134352/10/ABC123", kStatusOk, "elements: (01)09506000134352(10)ABC123"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.elements != nullptr ? row.elements : row.link);
    CheckRequest r;
    r.elementsGiven = row.elements != nullptr;
    r.elements = row.elements != nullptr ? row.elements : "";
    r.digitalLink = row.link != nullptr ? row.link : "";
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCheck(r, "/nonexistent/data", out, err), row.status) << err.str();
    EXPECT_NE((out.str() + err.str()).find(row.says), std::string::npos) << out.str() << err.str();
  }
}

}  // namespace
}  // namespace velmora::commands
