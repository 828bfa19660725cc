// GS1 Digital Link URIs both ways. The expected URIs and verdicts are GS1's:
// the examples of its Digital Link standard and the test vectors of its Barcode
// Syntax Engine, each confirmed by running that engine.
#include <gtest/gtest.h>

#include "support/ShippedData.h"

#include "support/RowNames.h"
#include "symbol/Analysis.h"
#include "symbol/DigitalLink.h"
#include "symbol/Samples.h"

namespace velmora::symbol {
namespace {

const Gs1Data& Data() { return test::ShippedGs1(); }

std::string Read(const std::string& uri) {
  return HumanReadable(ReadDigitalLink(uri, Data().dictionary, Data().dlAlphas).elements);
}

std::string Make(const std::string& elements, const char* domain = "https://example.com") {
  return MakeDigitalLink(ParseElementString(elements), Data().dictionary, domain);
}

struct ElementStringsBecomeGs1sUrisRow {
  const char* elements;
  const char* uri;
};

const ElementStringsBecomeGs1sUrisRow kElementStringsBecomeGs1sUrisRows[] = {
    {"(01)12312312312326(22)ABC(10)DEF(21)GHI(95)INT",
     "https://example.com/01/12312312312326/22/ABC/10/DEF/21/GHI?95=INT"},
    // the key first, its qualifiers in the key's order, whatever order they came in
    {"(21)XYZ(01)12312312312333(10)ABC123(99)XYZ", "https://example.com/01/12312312312333/10/ABC123/21/XYZ?99=XYZ"},
    {"(01)12312312312333(10)ABC+123(99)XYZ+QWERTY",
     "https://example.com/01/12312312312333/10/ABC%2B123?99=XYZ%2BQWERTY"},
    {"(01)09506000134352(10)A B(99)C D", "https://example.com/01/09506000134352/10/A%20B?99=C+D"},
    // the first primary key is the path's; a later one is a query parameter
    {"(253)9526064000028000001(99)000001(8017)795260646688514634",
     "https://example.com/253/9526064000028000001?99=000001&8017=795260646688514634"},
    {"(253)9526064000028000001(99)000001(01)12312312312326(10)DEF(95)INT",
     "https://example.com/253/9526064000028000001?01=12312312312326&99=000001&10=DEF&95=INT"},
    // predefined lengths first in the query; the same AI twice with the same data once
    {"(8010)0200(3133)333333(3300)000000(99)57(3133)333333(01)04065093955756(10)0(01)04065093955756",
     "https://example.com/8010/0200?3133=333333&3300=000000&01=04065093955756&99=57&10=0"},
    {"(01)12312312312326(10)ABC123(10)ABC123(99)XYZ789", "https://example.com/01/12312312312326/10/ABC123?99=XYZ789"},
};

class ElementStringsBecomeGs1sUris : public ::testing::TestWithParam<ElementStringsBecomeGs1sUrisRow> {};

TEST_P(ElementStringsBecomeGs1sUris, Row) {
  const ElementStringsBecomeGs1sUrisRow& row = GetParam();
  EXPECT_EQ(Make(row.elements), row.uri);
}

INSTANTIATE_TEST_SUITE_P(DigitalLink, ElementStringsBecomeGs1sUris,
                         ::testing::ValuesIn(kElementStringsBecomeGs1sUrisRows),
                         test::RowNamer(kElementStringsBecomeGs1sUrisRows,
                                        [](const ElementStringsBecomeGs1sUrisRow& r) {
                                          return std::string(r.elements);
                                        }));

TEST(DigitalLink, TheDomainIsGs1sUnlessGivenWithoutATrailingSlash) {
  EXPECT_EQ(MakeDigitalLink(ParseElementString("(01)09506000134352(10)ABC123(17)271231"), Data().dictionary),
            "https://id.gs1.org/01/09506000134352/10/ABC123?17=271231");
  EXPECT_EQ(Make("(01)12312312312326", "https://example.com/"), "https://example.com/01/12312312312326");
}

TEST(DigitalLink, ElementsThatCannotBeAUriNameTheAi) {
  const struct {
    const char* elements;
    const char* reason;
  } rows[] = {
      {"(99)XYZ789", "no AI here is a GS1 Digital Link primary key; a URI needs one of (00), (01), (253),"},
      {"(01)12312312312326(99)000001(8200)http://example.com",
       "AI (8200) cannot be in a GS1 Digital Link URI: it is no primary key, key qualifier or data attribute"},
      {"(01)12312312312326(235)ABC(10)DEF",
       "AI (235) qualifies (01) in the path, which cannot hold it beside (10): (01) takes 22, 10, 21 or 235"},
      {"(01)12312312312326(99)000001(89)XXX", "AI (89) is not in GS1's dictionary"},
      {"(01)12312312312326(10)A(10)B", "AI (10) is given twice with different data"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.elements);
    try {
      Make(row.elements);
      ADD_FAILURE() << "made a URI";
    } catch (const DigitalLinkError& e) {
      EXPECT_EQ(std::string(e.what()).find(row.reason), 0u) << e.what();
    }
  }
}

struct UrisReadBackIntoTheirElementsRow {
  const char* uri;
  const char* elements;
};

const UrisReadBackIntoTheirElementsRow kUrisReadBackIntoTheirElementsRows[] = {
    {"https://id.gs1.org/01/09506000134352/10/ABC123?17=271231", "(01)09506000134352(10)ABC123(17)271231"},
    {"HTTP://a/00/006141411234567890", "(00)006141411234567890"},
    {"https://[2001:db8::1]/01/12312312312333", "(01)12312312312333"},
    {"https://a:65535/more/stem/00/006141411234567890", "(00)006141411234567890"},
    {"https://a/00/faux/00/006141411234567890", "(00)006141411234567890"},  // the rightmost key
    {"https://id.gs1.org/414/9520123456788/254/32a%2Fb", "(414)9520123456788(254)32a/b"},
    {"https://a/01/12312312312333/22/ABC+123?99=A+B&98=XYZ%2f987", "(01)12312312312333(22)ABC+123(99)A B(98)XYZ/987"},
    {"https://a/01/12312312312333?&&99=ABC&unknown=6&&98=XYZ&singleton#frag", "(01)12312312312333(99)ABC(98)XYZ"},
    {"https://a/stem/00/006141411234567890?", "(00)006141411234567890"},
    // convenience alphas of the first releases: read, never written
    {"https://a/gtin/12312312312333/ser/ABC123", "(01)12312312312333(21)ABC123"},
    {"https://a/sscc/006141411234567890", "(00)006141411234567890"},
};

class UrisReadBackIntoTheirElements : public ::testing::TestWithParam<UrisReadBackIntoTheirElementsRow> {};

TEST_P(UrisReadBackIntoTheirElements, Row) {
  const UrisReadBackIntoTheirElementsRow& row = GetParam();
  EXPECT_EQ(Read(row.uri), row.elements);
}

INSTANTIATE_TEST_SUITE_P(DigitalLink, UrisReadBackIntoTheirElements,
                         ::testing::ValuesIn(kUrisReadBackIntoTheirElementsRows),
                         test::RowNamer(kUrisReadBackIntoTheirElementsRows,
                                        [](const UrisReadBackIntoTheirElementsRow& r) { return std::string(r.uri); }));

TEST(DigitalLink, WhatIsNoAiIsKeptAsideAndTheStemKept) {
  const ReadLink link = ReadDigitalLink("https://a/x/01/12312312312333?u=1&s", Data().dictionary, Data().dlAlphas);
  EXPECT_EQ(link.keptAside, (std::vector<std::string>{"u=1", "s"}));
  EXPECT_EQ(link.stem, "https://a/x");
}

struct WhatIsNoDigitalLinkIsSaidWithItsColumnRow {
  const char* uri;
  std::size_t column;
  const char* reason;
};

const WhatIsNoDigitalLinkIsSaidWithItsColumnRow kWhatIsNoDigitalLinkIsSaidWithItsColumnRows[] = {
    {"ftp://a/01/12312312312333", 1, "a GS1 Digital Link URI starts with https:// or http://"},
    {"HtTp://a/01/12312312312333", 1, "a GS1 Digital Link URI starts with https:// or http://"},
    {"https://a", 9, "no domain and path after the scheme"},
    {"https://a$/01/12312312312333", 10, "character '$' cannot be in a domain"},
    {"https://a/01/12312312312333<b", 28, "character '<' cannot be in a URI"},
    {"https://a/01/12312312312333 b", 28, "character ' ' cannot be in a URI"},
    {"https://a/gtn/12312312312333", 10, "no GS1 Digital Link primary key in the path"},
    {"https://a/01/12312312312333/9999/1", 29, "unknown AI (9999) in the path"},
    {"https://a/01/12312312312333/", 28, "the path ends in '/'"},
    {"https://a/01/12312312312333/10/", 31, "the path ends in '/'"},
    {"https://a/01/12312312312333/10/A/22/B", 34,
     "AI (22) cannot follow (10) in the path: (01) takes 22, 10, 21 or 235"},
    {"https://a/01/12312312312333/22/A/235/B", 34, "AI (235) cannot follow (22) in the path"},
    {"https://a/00/006141411234567890/10/A", 33, "AI (10) cannot follow (00) in the path: (00) takes no qualifiers"},
    {"https://a/01/1231231231233%4", 27, "AI (01): '%' must be followed by two hexadecimal digits"},
    {"https://a/01/12312312312333/10/A%00B", 33,
     "AI (10): '%' must be followed by two hexadecimal digits, other than 00"},
    {"https://a/01/12312312312333?99=A%g1", 33, "AI (99): '%' must be followed"},
    {"https://a/01/12312312312333?99=", 32, "AI (99) has no value in the query"},
    {"https://a/01/12312312312333?999=faux", 29, "unknown AI (999) in the query"},
    {"https://a/01/12312312312333?10=A", 29, "AI (10) belongs in the path, after (01)"},
    {"https://a/01/12312312312333/10/A?21=B", 34, "AI (21) belongs in the path, after (10)"},
    {"https://a/01/12312312312333/10/A?8200=B", 34, "AI (8200) cannot be a query parameter"},
    {"https://a/01/12312312312333?99=A&99=B", 34, "AI (99) is given twice"},
    {"https://a/01/12312312312333?01=12312312312333", 29, "AI (01) is given twice"},
};

class WhatIsNoDigitalLinkIsSaidWithItsColumn
    : public ::testing::TestWithParam<WhatIsNoDigitalLinkIsSaidWithItsColumnRow> {};

TEST_P(WhatIsNoDigitalLinkIsSaidWithItsColumn, Row) {
  const WhatIsNoDigitalLinkIsSaidWithItsColumnRow& row = GetParam();
  try {
    Read(row.uri);
    ADD_FAILURE() << "read";
  } catch (const DigitalLinkError& e) {
    EXPECT_EQ(std::string(e.what()).find(row.reason), 0u) << e.what();
    EXPECT_EQ(e.Column(), row.column) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(DigitalLink, WhatIsNoDigitalLinkIsSaidWithItsColumn,
                         ::testing::ValuesIn(kWhatIsNoDigitalLinkIsSaidWithItsColumnRows),
                         test::RowNamer(kWhatIsNoDigitalLinkIsSaidWithItsColumnRows,
                                        [](const WhatIsNoDigitalLinkIsSaidWithItsColumnRow& r) {
                                          return std::string(r.uri);
                                        }));

// Every path the dictionary allows, with data GS1 accepts, a data attribute
// beside it and a qualifier value that needs escaping, goes to a URI and back.
TEST(DigitalLink, EveryKeyAndQualifierCombinationRoundTrips) {
  const SyntaxDictionary& d = Data().dictionary;
  int paths = 0;
  for (const auto& [key, syntax] : d.Entries()) {
    for (const std::vector<std::string>& path : KeyPaths(key, d)) {
      Elements elements;
      for (const std::string& ai : path) {
        elements.push_back({ai, ai == "10" || ai == "21" ? "A/B C+%&?#" : ValidSample(*d.Find(ai))});
      }
      elements.push_back({"99", "X Y"});
      const std::string uri = MakeDigitalLink(elements, d);
      SCOPED_TRACE(uri);
      const Analysis back = AnalyseDigitalLink(uri, Data());
      EXPECT_EQ(back.elements, elements);
      ++paths;
    }
  }
  EXPECT_GT(paths, 30) << "39 in the dictionary of 2026: the keys and their qualifier orders";
}

}  // namespace
}  // namespace velmora::symbol
