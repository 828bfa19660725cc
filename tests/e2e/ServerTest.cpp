// The automation server as a host sees it: a child process spoken to over its pipes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "ProcessFixture.h"
#include "TestHost.h"
#include "protocol/Messages.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using nlohmann::json;
using test::ChildProcess;
using test::TestHost;

class ServerTest : public test::ProcessFixture {
 protected:
  void SetUp() override {
    host.Write("TAVREL.INI", "[General]\r\nVelmora=Wizard\r\n");
    std::filesystem::create_directories(host.Path() + "SYSTEM");
  }
  std::unique_ptr<ChildProcess> Start(const std::string& script) {
    const std::string scriptFile = work.Write("script.txt", script);
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{VELMORA_WIZARD_EXE, "serve", "--headless", "--script", scriptFile, "--host-dir",
                                 host.Path(), "--data-dir", VELMORA_SHIPPED_DATA_DIR},
        work.Path() + "stderr.txt");
  }
  // The state dumps the script printed (on standard error, beside the message boxes).
  std::vector<json> Dumps() const {
    std::vector<json> dumps;
    std::ifstream in(work.Path() + "stderr.txt");
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with('{')) dumps.push_back(json::parse(line));
    }
    return dumps;
  }
  test::TempDir host;
};

const std::vector<test::HostVariable> kVariables = {{"LOT", 5},      {"LOGO", 2},    {"SERIAL", 6}, {"LOT", 5},
                                                    {"PACKDATE", 7}, {"COUNTER", 9}, {12, 5}};

TEST_F(ServerTest, VariablesNumberAndImportReachTheirPlaces) {
  auto server = Start("pick 10\nnext\noption 1\nnext\ndump\ncancel\n");
  TestHost doc(*server, kVariables, -42);
  EXPECT_EQ(doc.Connect()["result"], false);
  ASSERT_EQ(Dumps().size(), 1u);
  const json dump = Dumps()[0];
  EXPECT_EQ(dump["controls"]["ActionCombo"]["items"], (json{"LOT", "SERIAL", "LOT", "PACKDATE", "12"}));
  EXPECT_EQ(dump["hostNumberText"], "-42");
  EXPECT_EQ(doc.Imports, (std::vector<json>{json{""}})) << "a first-run cancel hands over the empty path";
  EXPECT_EQ(doc.Request(protocol::Release(9))["result"], nullptr);
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, TheHostSeesEveryCallInItsOrder) {
  auto server = Start("cancel\n");
  TestHost doc(*server, {{"LOT", 5}, {"LOGO", 2}, {"SERIAL", 6}, {"PACKDATE", 7}}, 1);
  EXPECT_EQ(doc.Connect()["result"], false);
  // The kind is read three times for every variable, whatever it is; the name only of kept ones.
  const std::vector<std::string> expected = {
      "Get doc 1", "Enumerate vars", "Get v0 3", "Get v0 3",  "Get v0 3",  "Get v0 1",  "Get v1 3",
      "Get v1 3",  "Get v1 3",       "Get v2 3", "Get v2 3",  "Get v2 3",  "Get v2 1",  "Get v3 3",
      "Get v3 3",  "Get v3 3",       "Get v3 1", "Get doc 7", "Get n1 12", "Get n2 15", "Call doc 23"};
  EXPECT_EQ(doc.Calls, expected);
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, AFailingImportIsAnAutomationErrorAfterTheWindowClosed) {
  auto server = Start("cancel\n");
  TestHost doc(*server, kVariables, 1);
  doc.FailingImport = "import refused";
  const json answer = doc.Connect();
  EXPECT_EQ(answer["error"]["code"], 440);
  EXPECT_EQ(answer["error"]["message"], "import refused");
  EXPECT_EQ(doc.Imports.size(), 1u);
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, AStartUpErrorReachesTheHost) {
  const struct {
    const char* country;
    int code;
  } cases[] = {{"191", 5}, {"32767", 6}};  // no character code; the 16-bit addition overflows
  for (const auto& c : cases) {
    SCOPED_TRACE(c.country);
    host.Write("System/Users/tester.ini", std::string("[Initialize]\r\nCountry=") + c.country + "\r\n");
    auto server = Start("cancel\n");
    TestHost doc(*server, kVariables, 1);
    EXPECT_EQ(doc.Connect()["error"]["code"], c.code);
    server->CloseInput();
    EXPECT_EQ(server->Wait(), 0);
  }
}

TEST_F(ServerTest, AMissingDataFileEndsTheServer) {
  const std::string data = work.Path() + "data/";
  std::filesystem::create_directories(data);
  std::filesystem::copy_file(std::string(VELMORA_SHIPPED_DATA_DIR) + "ID128.inf", data + "ID128.inf");
  const std::string scriptFile = work.Write("script.txt", "cancel\n");
  ChildProcess server({VELMORA_WIZARD_EXE, "serve", "--headless", "--script", scriptFile, "--host-dir", host.Path(),
                       "--data-dir", data},
                      work.Path() + "stderr.txt");
  TestHost doc(server, kVariables, 1);
  EXPECT_THROW(doc.Connect(), std::runtime_error) << "the server ends without answering";
  EXPECT_EQ(server.Wait(), 1);
  EXPECT_NE(work.Read("stderr.txt").find("File not found !"), std::string::npos);
}

TEST_F(ServerTest, ReleaseThenConnectIsACloseBoxThenConnect) {
  // Each run: pick an AI and finish it; the second Connect must start up afresh (page 0)
  // with the chosen AI and the template path carried over.
  for (const std::string between : {"release", "close"}) {
    SCOPED_TRACE(between);
    auto server = Start(std::string("pick 20\nnext\nnext\ntype 12\nnext\n") +
                        (between == "close" ? "close\n" : "done\n") + "dump\ncancel\n");
    TestHost doc(*server, kVariables, 1);
    EXPECT_EQ(doc.Connect()["result"], false);
    if (between == "release") {
      EXPECT_EQ(doc.Request({{"jsonrpc", "2.0"}, {"id", 5}, {"method", "Release"}})["result"], nullptr);
    }
    EXPECT_EQ(doc.Connect()["result"], false);
    const std::vector<json> dumps = Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(dumps[0]["page"], 0) << "the start-up ran again";
    EXPECT_EQ(dumps[0]["ids"][0]["IdKey"], "20") << "the table of chosen AIs carried over";
    const std::string written = between == "release" ? host.Path() + "SYSTEM/128.ufo" : "";
    EXPECT_EQ(dumps[0]["templateFile"], written);
    server->CloseInput();
    EXPECT_EQ(server->Wait(), 0);
    std::filesystem::remove(host.Path() + "SYSTEM/128.ufo");
  }
}

TEST_F(ServerTest, ALaterCancelHandsOverTheEarlierTemplate) {
  auto server = Start(
      "pick 20\nnext\nnext\ntype 12\nnext\ndone\n"  // first Connect: a template
      "dump\ncancel\n");                            // second: the hidden window again, as left
  TestHost doc(*server, kVariables, 1);
  EXPECT_EQ(doc.Connect()["result"], false);
  EXPECT_EQ(doc.Connect()["result"], false);
  const std::string path = host.Path() + "SYSTEM/128.ufo";
  EXPECT_EQ(doc.Imports, (std::vector<json>{json{path}, json{path}}));
  ASSERT_EQ(Dumps().size(), 1u);
  EXPECT_EQ(Dumps()[0]["page"], 6) << "the window kept its page";
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, AHostErrorFailsConnectAndTheServerStaysUp) {
  auto server = Start("cancel\n");
  TestHost doc(*server, kVariables, 1);
  doc.FailingGets[7] = "document is closed";
  const json answer = doc.Connect();
  EXPECT_EQ(answer["error"]["code"], 440);
  EXPECT_EQ(answer["error"]["message"], "document is closed");
  EXPECT_TRUE(doc.Imports.empty()) << "the window was never shown";
  doc.FailingGets.clear();
  EXPECT_EQ(doc.Connect()["result"], false);
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, AWrongTypeFromTheHostIsARunTimeError) {
  auto server = Start("cancel\n");
  TestHost doc(*server, {{"LOT", "five"}}, 1);
  EXPECT_EQ(doc.Connect()["error"]["code"], 13);
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, AVariableNameWithALineBreakIsRefusedBeforeTheWindowOpens) {
  auto server = Start("dump\ncancel\n");
  TestHost doc(*server, {{"LO\nT", 5}}, 1);
  const json answer = doc.Connect();
  EXPECT_EQ(answer["error"]["code"], 5);
  EXPECT_NE(answer["error"]["message"].get<std::string>().find("\"LOT\" has a line break or a NUL character"),
            std::string::npos);
  EXPECT_TRUE(doc.Imports.empty());
  EXPECT_TRUE(Dumps().empty()) << "the window never opened";
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, BadMessagesGetStandardErrors) {
  auto server = Start("cancel\n");
  TestHost doc(*server, kVariables, 1);
  const auto code = [&](const std::string& raw) {
    server->Write(raw + "\n");
    std::string line;
    EXPECT_TRUE(server->ReadLine(line)) << raw;
    return json::parse(line)["error"]["code"].get<int>();
  };
  EXPECT_EQ(code("{not json"), -32700);
  EXPECT_EQ(code("[1,2]"), -32600);
  EXPECT_EQ(code(R"({"jsonrpc":"1.0","id":1,"method":"Connect"})"), -32600);
  EXPECT_EQ(code(R"({"jsonrpc":"2.0","id":2,"method":"Launch"})"), -32601);
  EXPECT_EQ(code(R"({"jsonrpc":"2.0","id":3,"method":"Connect","params":{"Doc":5}})"), -32602);
  EXPECT_EQ(
      code("{\"jsonrpc\":\"2.0\",\"id\":4,\"method\":\"X\",\"params\":{\"x\":\"" + std::string(10 << 20, 'x') + "\"}}"),
      -32601)
      << "a 10 MB line is read and answered";
  // members of the wrong type, read with their type checked
  for (const char* version : {"2", "null", "true", "[]", "{}", "2.5"}) {
    EXPECT_EQ(code(std::string(R"({"jsonrpc":)") + version + R"(,"id":1,"method":"Foo"})"), -32600) << version;
  }
  EXPECT_EQ(code(R"({"jsonrpc":"2.0","id":1,"method":5})"), -32600);
  EXPECT_EQ(code(R"({"jsonrpc":"2.0","id":1,"method":"Foo","params":"x"})"), -32600);
  EXPECT_EQ(code(R"({"jsonrpc":"2.0","id":1,"method":"Connect","params":{"Doc":{"$object":[]}}})"), -32602);
  // nesting far past any real message is refused before it is walked
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_EQ(code(R"({"jsonrpc":"2.0","id":1,"method":"Foo","params":)" + deep + "}"), -32600);
  EXPECT_EQ(code(R"({"jsonrpc":"2.0","method":"Foo","id":)" + deep + "}"), -32600);
  EXPECT_EQ(doc.Connect()["result"], false) << "the server kept serving";
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, NotificationsGetNoReply) {
  auto server = Start("cancel\n");
  server->Write(R"({"jsonrpc":"2.0","method":"Foo"})"
                "\n"
                R"({"jsonrpc":"2.0","method":"Release"})"
                "\n"
                R"({"jsonrpc":"2.0","id":null,"method":"Release"})"
                "\n"
                R"({"jsonrpc":"2.0","id":"after","method":"Release"})"
                "\n");
  std::string line;
  ASSERT_TRUE(server->ReadLine(line));
  EXPECT_EQ(json::parse(line), json::parse(R"({"jsonrpc":"2.0","id":null,"result":null})"))
      << "an id of null is a request, answered; the two notifications were not";
  ASSERT_TRUE(server->ReadLine(line));
  EXPECT_EQ(json::parse(line)["id"], "after");
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, WhileConnectWaitsBadRequestsAreRefusedAndIdsEchoedOnlyWhenValid) {
  auto server = Start("cancel\n");
  server->Write(R"({"jsonrpc":"2.0","id":"c","method":"Connect","params":{"Doc":{"$object":"doc"}}})"
                "\n");
  std::string line;
  ASSERT_TRUE(server->ReadLine(line));
  ASSERT_EQ(json::parse(line)["method"], "Get");
  const auto answer = [&](const std::string& raw) {
    server->Write(raw + "\n");
    EXPECT_TRUE(server->ReadLine(line)) << raw;
    return json::parse(line);
  };
  const json busy = answer(R"({"jsonrpc":"2.0","id":7,"method":"Release"})");
  EXPECT_EQ(busy["error"]["code"], -32000);
  EXPECT_EQ(busy["id"], 7);
  const json invalid = answer(R"({"jsonrpc":2,"id":{"a":1},"method":"Release"})");
  EXPECT_EQ(invalid["error"]["code"], -32600);
  EXPECT_EQ(invalid["id"], nullptr) << "an id that is no text or number is not echoed";
  server->Write(R"({"jsonrpc":"2.0","method":"Release"})"
                "\n");  // a notification: nothing comes back
  const json deep =
      answer(R"({"jsonrpc":"2.0","id":1,"result":)" + std::string(100000, '[') + std::string(100000, ']') + "}");
  EXPECT_EQ(deep["error"]["code"], -32600) << "a host answer nested too deeply";
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, AHeadlessServerMapsNoQtAndTheWindowStillOpens) {
  auto headless = Start("dump\ncancel\n");
  TestHost doc(*headless, kVariables, 1);
  EXPECT_EQ(doc.Connect()["result"], false);
  const std::string maps = headless->Maps();
  ASSERT_NE(maps.find("libc.so"), std::string::npos) << "the maps were read";
  EXPECT_EQ(maps.find("libQt6"), std::string::npos);
  headless->CloseInput();
  EXPECT_EQ(headless->Wait(), 0);

  // With a display (offscreen here) the server is the window program, and the window opens.
  const test::ScopedEnv offscreen("QT_QPA_PLATFORM", "offscreen");
  const test::ScopedEnv noRuntime("XDG_RUNTIME_DIR", nullptr);
  ChildProcess windowed(
      {VELMORA_WIZARD_EXE, "serve", "--host-dir", host.Path(), "--data-dir", VELMORA_SHIPPED_DATA_DIR},
      work.Path() + "stderr.txt");
  windowed.Write(R"({"jsonrpc":"2.0","id":1,"method":"Connect","params":{"Doc":{"$object":"doc"}}})"
                 "\n");
  std::string line;
  ASSERT_TRUE(windowed.ReadLine(line));  // the server asks for the variables
  const auto call = json::parse(line);
  windowed.Write(json({{"jsonrpc", "2.0"}, {"id", call["id"]}, {"result", {{"$object", "vars"}}}}).dump() + "\n");
  for (int i = 0; i < 3 && windowed.ReadLine(line); ++i) {  // Enumerate, then the number's three steps
    const auto c = json::parse(line);
    const json result = c["method"] == "Enumerate"    ? json::array()
                        : c["params"]["dispid"] == 15 ? json(1)
                                                      : json({{"$object", "n" + std::to_string(i)}});
    windowed.Write(json({{"jsonrpc", "2.0"}, {"id", c["id"]}, {"result", result}}).dump() + "\n");
  }
  // the window is up now, waiting for its user
  std::string maps2;
  for (int tries = 0; tries < 100 && maps2.find("libQt6Widgets") == std::string::npos; ++tries) {
    ::usleep(50000);
    maps2 = windowed.Maps();
  }
  EXPECT_NE(maps2.find("velmora-wizard-window"), std::string::npos);
  EXPECT_NE(maps2.find("libQt6Widgets"), std::string::npos);
  EXPECT_EQ(work.Read("stderr.txt").find("XDG_RUNTIME_DIR"), std::string::npos)
      << "no warning without a runtime folder";
}

TEST_F(ServerTest, InputEndingMidMessageEndsTheServerCleanly) {
  auto server = Start("cancel\n");
  server->Write(R"({"jsonrpc":"2.0","id":1,"meth)");
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

TEST_F(ServerTest, HostGoneDuringConnectEndsTheServerCleanly) {
  auto server = Start("cancel\n");
  server->Write(R"({"jsonrpc":"2.0","id":1,"method":"Connect","params":{"Doc":{"$object":"doc"}}})"
                "\n");
  std::string line;
  ASSERT_TRUE(server->ReadLine(line));
  EXPECT_EQ(json::parse(line)["method"], "Get");
  server->CloseInput();
  EXPECT_EQ(server->Wait(), 0);
}

}  // namespace
}  // namespace velmora
