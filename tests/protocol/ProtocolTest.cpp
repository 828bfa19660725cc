#include <gtest/gtest.h>

#include "protocol/DocumentHost.h"
#include "protocol/HostDocument.h"
#include "protocol/HostMembers.h"
#include "protocol/Messages.h"
#include "support/TempDir.h"

namespace velmora::protocol {
namespace {

// The one reader: what a document file gives, or the one line it is refused with.
TEST(HostDocument, OneReaderOneSetOfRules) {
  const test::TempDir dir;
  const struct {
    const char* text;
    const char* says;  // nullptr: read
  } rows[] = {
      {R"({"variables":[{"name":"LOT","kind":5,"value":"A1"},{"name":7,"kind":"x"}],"number":42})", nullptr},
      {R"({})", nullptr},
      {R"([1])", "d.json: a document is a JSON object"},
      {R"({"variables":{}})", "d.json: variables is not a list"},
      {R"({"variables":[{"name":"LOT"}]})", "d.json: variables[0] needs a name and a kind"},
      {R"({"variables":[3]})", "d.json: variables[0] needs a name and a kind"},
      {R"({"variables":[{"name":"LOT","kind":5,"value":12}]})", "d.json: variables[0].value is not a text"},
      {R"({"variables":)", "d.json: not valid JSON"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const std::string path = dir.Write("d.json", row.text);
    try {
      const HostDocument d = ReadHostDocument(path);
      EXPECT_EQ(row.says, nullptr);
    } catch (const DocumentError& e) {
      ASSERT_NE(row.says, nullptr) << e.what();
      EXPECT_NE(std::string(e.what()).find(row.says), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(ReadHostDocument(dir.Path() + "none.json"), DocumentError);
  EXPECT_THROW(ReadHostDocument(dir.Path()), DocumentError);
}

// The wizard's walk of the document, its requests made by the builders and
// answered by the protocol's own host: every member number and object name of
// one end is the other's.
TEST(DocumentHost, TheWizardsWalkOfTheDocumentRoundTrips) {
  const test::TempDir dir;
  const HostDocument document = ReadHostDocument(
      dir.Write("doc.json", R"({"variables":[{"name":"LOT","kind":5},{"name":"QTY","kind":6}],"number":42})"));
  EXPECT_EQ(document.Origin("variables[1].kind", document.variables[1].kind), "doc.json: variables[1].kind is 6");
  DocumentHost host(document);
  int id = 0;
  const auto result = [&](const json& request) {
    const json answer = host.Answer(request);
    EXPECT_EQ(answer.value("id", json()), request["id"]);
    return answer.value("result", json("(no result: " + answer.dump() + ")"));
  };
  const json list = result(Get(++id, kDocumentObject, kVariableList));
  const json variables = result(Enumerate(++id, list["$object"]));
  ASSERT_EQ(variables.size(), 2u);
  EXPECT_EQ(result(Get(++id, variables[1]["$object"], kVariableName)), "QTY");
  EXPECT_EQ(result(Get(++id, variables[1]["$object"], kVariableKind)), 6);
  const json step1 = result(Get(++id, kDocumentObject, kNumberStep1));
  const json step2 = result(Get(++id, step1["$object"], kNumberStep2));
  EXPECT_EQ(result(Get(++id, step2["$object"], kNumber)), 42);
  EXPECT_EQ(result(Call(++id, kDocumentObject, kImport, {"/tmp/128.ufo"})), nullptr);
  EXPECT_EQ(host.Imports(), std::vector<json>{json{"/tmp/128.ufo"}});
  EXPECT_EQ(host.Answer(Get(++id, kDocumentObject, 99))["error"]["code"], -32601);
}

}  // namespace
}  // namespace velmora::protocol
