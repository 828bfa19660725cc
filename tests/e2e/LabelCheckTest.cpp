// velmora-label check, as a script or a host runs it, on what the wizard wrote.
#include <gtest/gtest.h>

#include <filesystem>

#include "ProcessFixture.h"

namespace velmora {
namespace {

using test::Outcome;

class LabelCheckTest : public test::ProcessFixture {
 protected:
  // The worked example's template, written by the real wizard.
  std::string WorkedExampleTemplate() { return TemplateFromScript(Example("worked-example.script")); }
};

TEST_F(LabelCheckTest, TheWorkedExampleWithALot) {
  const std::string path = WorkedExampleTemplate();
  const Outcome o = Run({"check", path, "--set", "LOT=ABC123"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "data: {CODE C}{FNC1}0100000012345670{CODE B}10ABC123\nelements: (01)00000012345670(10)ABC123\n");
  const Outcome bad = Run({"check", path, "--set", "LOT=AB#12"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("AI (10) position 3: character '#' is not allowed\n"), std::string::npos) << bad.out;
}

// What the wizard writes as it always has, however odd, is named for its cause by the host.
TEST_F(LabelCheckTest, WhatTheWizardWroteIsNamedForItsCause) {
  const struct {
    std::string script;
    std::string says;
  } rows[] = {
      {"pick 10\nnext\nnext\ntype AB\"1\nnext\ndone\n",
       "the data holds a double quote ('\"') after '10AB' (formula column 20), which a template's quoted text cannot "
       "carry"},
      {"pick 00\nnext\nnext\noption 1\nnext\nnext\ndone\n",
       "[Barcode1] Data is empty: the template carries no AI data (a wizard run whose AIs take their data from a "
       "variable, with none chosen, writes such a template)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.script);
    std::filesystem::remove_all(work.Path() + "host");
    const Outcome o = Run({"check", TemplateFromScript(work.Write("odd.script", row.script))});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
  }
  // the wizard's band said it before the template was written
  std::filesystem::remove_all(work.Path() + "host");
  const Outcome band = RunWizard({"run", "--doc", Example("document.json"), "--script",
                                  work.Write("band.script", "pick 00\nnext\nnext\noption 1\nnext\nnext\ndump\n"),
                                  "--host-dir", ExampleHost()});
  EXPECT_NE(band.out.find("\"AI (00): takes its data from a variable; none is chosen\""), std::string::npos)
      << band.out;
}

TEST_F(LabelCheckTest, EveryNameTheWizardWritesIsReadBack) {
  std::filesystem::create_directories(work.Path() + "host/SYSTEM");
  const std::string doc =
      work.Write("doc.json", "{\"variables\":[{\"name\":\"NUM\u00c9RO_GTIN\",\"kind\":5}],\"number\":1}");
  const std::string script =
      work.Write("g.script", "pick 01\nnext\nnext\nnext\noption 1\nnext\ncombo-pick 0\nnext\ndone\n");
  const Outcome wizard = RunWizard({"run", "--doc", doc, "--script", script, "--host-dir", work.Path() + "host"});
  ASSERT_EQ(wizard.status, 0) << wizard.err;
  const Outcome o = Run({"check", work.Path() + "host/SYSTEM/128.ufo", "--set", "NUM\xC3\x89RO_GTIN=09506000134352"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "data: {CODE C}{FNC1}0109506000134352\nelements: (01)09506000134352\n");
}

TEST_F(LabelCheckTest, ElementStringsDirectlyAndFromAFile) {
  const Outcome ok = Run({"check", "--elements", "(01)00000012345670(17)261231"});
  EXPECT_EQ(ok.status, 0) << ok.out << ok.err;
  const Outcome month = Run({"check", "--elements", "(01)00000012345670(17)261331"});
  EXPECT_EQ(month.status, 1);
  EXPECT_EQ(month.out, "elements: (01)00000012345670(17)261331\nAI (17) position 3: invalid month '13'\n");
  const std::string file = work.Write("list.txt", "(01)00000012345670\r\n(01)00000012345671\n(01\n");
  const Outcome list = Run({"check", "--elements-file", file});
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.out, file + " line 2: AI (01) position 14: invalid check digit '1', expected '0'\n" + file +
                          " line 3: element string position 1: '(' without its ')'\n3 lines, 2 with findings\n");
}

TEST_F(LabelCheckTest, DigitalLinkUrisAreReadAndMade) {
  const Outcome read = Run({"check", "--dl", "https://example.com/gtin/09506000134352/10/AB%2FC?17=271331&utm=x",
                            "--dl-domain", "https://id.example.org/"});
  EXPECT_EQ(read.status, 1);
  EXPECT_EQ(read.out,
            "elements: (01)09506000134352(10)AB/C(17)271331\nkept aside: utm=x\n"
            "digital link: none: the elements have findings\n"
            "AI (17) position 3: invalid month '13'\n");
  const Outcome made = Run({"check", "--elements", "(17)271231(01)09506000134352(10)A/B", "--digital-link"});
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_NE(made.out.find("digital link: https://id.gs1.org/01/09506000134352/10/A%2FB?17=271231\n"),
            std::string::npos);
  const Outcome keyless = Run({"check", "--elements", "(10)A", "--digital-link"});
  EXPECT_EQ(keyless.status, 1) << "a label that wants a URI and cannot have one";
  EXPECT_NE(keyless.out.find("digital link: none: no AI here is a GS1 Digital Link primary key"), std::string::npos);
  const Outcome order = Run({"check", "--dl", "https://a/01/09506000134352/10/A/22/B"});
  EXPECT_EQ(order.status, 2);
  EXPECT_EQ(order.err,
            "velmora-label: --dl column 34: AI (22) cannot follow (10) in the path: (01) takes 22, 10, 21 or 235\n");
  const Outcome domain = Run({"check", "--elements", "(01)09506000134352", "--dl-domain", "example.com"});
  EXPECT_EQ(domain.status, 2);
  EXPECT_NE(domain.err.find("expected https://DOMAIN[/PATH]"), std::string::npos) << domain.err;
}

// The drawing and printing libraries are opened when a label is drawn or an
// IPP printer is asked, not at start-up: --version, --help and check map none.
TEST_F(LabelCheckTest, StartUpMapsNoDrawingOrPrintingLibrary) {
  std::string loaded;
  {
    const test::ScopedEnv trace("LD_TRACE_LOADED_OBJECTS", "1");  // the dynamic loader lists what it maps, and stops
    loaded = Run({"--version"}).out;
  }
  EXPECT_NE(loaded.find("libzint"), std::string::npos) << "the list is the loader's: " << loaded;
  for (const char* library : {"libcairo", "libfontconfig", "libX11", "libcups", "libgnutls", "libQt"}) {
    EXPECT_EQ(loaded.find(library), std::string::npos) << library << " in\n" << loaded;
  }
  const Outcome version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("velmora-label ", 0), 0u) << version.out;
}

TEST_F(LabelCheckTest, BadInputIsOneClearLine) {
  const std::string formula =
      work.Write("f.ufo",
                 "[Objlist]\r\n1=BarCode1\r\n[Barcode1]\r\nSymbology=67\r\nVariable=Variable1\r\n"
                 "[Variable1]\r\nFormat=\"{FNC1}10\" & Right(LOT, 2)\r\n[Text1.1]\r\nText1=x\r\n");
  const struct {
    std::vector<std::string> args;
    std::string says;
  } rows[] = {
      {{"check", work.Path() + "none.ufo"}, work.Path() + "none.ufo: no such template"},
      {{"check", formula}, formula + ": [Variable1] Format: formula column 14: unknown function Right"},
      {{"check", "--elements", "(01)123(10"}, "element string position 8: '(' without its ')'"},
      {{"check", Example("label-template.ufo"), "--samples", "--data-dir", work.Path()},
       "ID128.inf: cannot read this data file"},
      {{"check", "--elements", ""}, "--elements: the element string is empty"},
      {{"check", "--elements-file", work.Path()}, work.Path() + ": is a folder, not a file of element strings"},
      {{"--data-dir", work.Path(), "check", Example("label-template.ufo"), "--samples"},
       "ID128.inf: cannot read this data file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    const Outcome o = Run(row.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line";
  }
}

TEST_F(LabelCheckTest, EveryFormOfElementStringIsEchoedInOneThatReadsBack) {
  const std::string echo = "elements: (01)09506000134352(10)AB\\(1(17)271231\n";
  for (const char* form : {"(01)09506000134352(10)AB\\(1(17)271231", "[01]09506000134352[10]AB(1[17]271231",
                           "]C10109506000134352"
                           "10AB(1\x1D"
                           "17271231",
                           "]d2{FNC1}0109506000134352"
                           "10AB(1^17271231"}) {
    SCOPED_TRACE(form);
    const Outcome o = Run({"check", "--elements", form});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, echo);
    EXPECT_EQ(Run({"check", "--elements", o.out.substr(10, o.out.size() - 11)}).out, echo) << "the echo reads back";
  }
}

TEST_F(LabelCheckTest, FindingsAreOneLineEachAndNameCharactersWhole) {
  const Outcome o = Run({"check", "--elements", "(01)09506000134352(10)Ab\xC3\xB6\n(10)Ab\xC3\xB6\n(21)1"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out,
            "elements: (01)09506000134352(10)Ab\xC3\xB6\\x0A(10)Ab\xC3\xB6\\x0A(21)1\n"
            "AI (10) position 3: character '\xC3\xB6' (U+00F6) is not allowed\n");
  const Outcome zeros = Run({"check", "--elements", "(8001)00000100101"});
  EXPECT_NE(zeros.out.find("AI (8001) position 1: must not be all zeros\n"), std::string::npos) << zeros.out;
  EXPECT_NE(zeros.out.find("AI (8001) position 12: too short, 14 characters needed\n"), std::string::npos) << zeros.out;
}

// Each message names the cause, and nothing that only follows from it.
TEST_F(LabelCheckTest, MessagesPointToTheCause) {
  const std::string tpl = Example("label-template.ufo");
  const std::string longAi = "https://id.gs1.org/01/09506000134352/99" + std::string(20000, '9') + "/x";
  const struct {
    std::vector<std::string> args;
    std::string says;
    std::string notSaid;
  } rows[] = {
      {{"check", tpl, "--set", "GTIN=9506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A"},
       "GTIN: 13 digits given for a 14-digit GTIN: a GTIN-13 needs a leading 0",
       "check digit"},
      {{"check", "--elements", "(01)09506000134352(17)2027-06-30"},
       "AI (17) position 1: '2027-06-30' is not written as this AI's dates are: YYMMDD, 270630 for 30 June 2027",
       "is not a digit"},
      {{"check", "--elements", "(01)09506000134353(17)270630", "--dl-domain", "https://example.com"},
       "digital link: none: the elements have findings",
       "https://example.com/01"},
      {{"check", "--dl", longAi},
       "unknown AI (9999999999999999999999999999999999999999... (20002 characters))",
       std::string(100, '9')},
      {{"render", tpl, "--values", work.Path() + "gone.csv", "--out", work.Path() + "o"},
       "gone.csv: cannot read the values (No such file or directory)",
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    const Outcome o = Run(row.args);
    EXPECT_NE(o.status, 0);
    EXPECT_NE((o.out + o.err).find(row.says), std::string::npos) << o.out << o.err;
    if (!row.notSaid.empty()) {
      EXPECT_EQ((o.out + o.err).find(row.notSaid), std::string::npos) << o.out << o.err;
    }
  }
}

}  // namespace
}  // namespace velmora
