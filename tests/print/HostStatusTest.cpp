// A ZPL printer's answer to ~HS, read field by field as the ZPL II guide
// describes it: what keeps the printer from printing, and what waits in it.
#include <gtest/gtest.h>

#include "print/HostStatus.h"

namespace velmora::print {
namespace {

std::string Answer(const std::string& one, const std::string& two) {
  return "\x02" + one + "\x03\r\n\x02" + two +
         "\x03\r\n\x02"
         "1234,0\x03\r\n";
}

TEST(HostStatusTest, EachFlagAndCountIsReadFromItsField) {
  const struct {
    std::string answer;
    std::string problems;  // "-": no status can be read from it
    int waiting;
  } rows[] = {
      {Answer("030,0,0,1245,000,0,0,0,000,0,0,0", "001,0,0,0,1,2,6,0,00000000,1,000"), "", 0},
      {Answer("030,1,1,1245,003,0,0,0,000,0,0,0", "001,0,0,0,1,2,6,0,00000002,1,000"), "paper out and paused", 5},
      {Answer("030,0,0,1245,000,1,0,0,000,1,0,1", "001,0,1,1,1,2,6,0,00000000,1,000"),
       "head open, ribbon out, head over temperature and configuration lost (corrupt RAM)", 0},
      {Answer("030,0,0,1245,000,0,0,0,000,0,0,0", "001,0,0,0"), "-", 0},  // a string too short
      {"\x02"
       "030,0,0,1245,000,0,0,0,000,0,0,0\x03\r\n\x02"
       "001,0,0",
       "-", 0},  // the second not arrived yet
      {Answer("030,x,0,1245,000,0,0,0,000,0,0,0", "001,0,0,0,1,2,6,0,00000000,1,000"), "-", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answer);
    const std::optional<HostStatus> s = ParseHostStatus(row.answer);
    ASSERT_EQ(s.has_value(), row.problems != "-");
    if (!s) continue;
    EXPECT_EQ(JoinedProblems(s->Problems()), row.problems);
    EXPECT_EQ(s->formatsInBuffer + s->labelsRemaining, row.waiting);
  }
}

}  // namespace
}  // namespace velmora::print
