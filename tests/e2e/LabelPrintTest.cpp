// velmora-label print to a ZPL printer on raw TCP: a listener of the test's own
// on loopback plays the printer, and what it receives is decoded and scanned.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "ProcessFixture.h"
#include "support/ZplDecode.h"
#include "symbol/Gs1Data.h"
#include "symbol/ScanBack.h"

namespace velmora {
namespace {

using test::Outcome;

// A printer on a free loopback port: takes one job, or closes after `takeBytes`.
class FakePrinter {
 public:
  explicit FakePrinter(std::size_t takeBytes = std::string::npos) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(listener_, 1), 0);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, takeBytes] {
      const int c = ::accept(listener_, nullptr, nullptr);
      if (c < 0) return;
      char chunk[65536];
      for (ssize_t n; received_.size() < takeBytes && (n = ::read(c, chunk, sizeof chunk)) > 0;) {
        received_.append(chunk, static_cast<std::size_t>(n));
      }
      ::close(c);
    });
  }
  ~FakePrinter() {
    ::shutdown(listener_, SHUT_RDWR);
    ::close(listener_);
    if (thread_.joinable()) thread_.join();
  }
  std::string Uri() const { return "socket://127.0.0.1:" + std::to_string(port_); }
  const std::string& Received() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    return received_;
  }

 private:
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
  std::string received_;
};

using LabelPrintTest = test::ProcessFixture;

TEST_F(LabelPrintTest, EveryLabelThePrinterReceivesScansBackAsItsRow) {
  FakePrinter printer;
  const Outcome o = Run({"print", Example("label-template.ufo"), "--values", Example("labels.csv"), "--printer",
                         printer.Uri(), "--media", "130x30mm", "--copies", "2", "--verify"});
  EXPECT_EQ(o.status, 1) << "two rows of the example are wrong";
  EXPECT_NE(o.out.find("3 of 5 labels printed to " + printer.Uri()), std::string::npos) << o.out;
  const std::vector<test::ZplLabelImage> labels = test::DecodeZplLabels(printer.Received());
  ASSERT_EQ(labels.size(), 3u);
  const symbol::Gs1Data gs1 = symbol::LoadGs1Data(VELMORA_SHIPPED_DATA_DIR);
  const char* rows[] = {"(01)09506000134352(17)271231(10)ABC123", "(01)09506000134352(17)280229(10)LOT,7",
                        "(01)09506000134352(17)280630(10)ABC127"};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    SCOPED_TRACE(rows[i]);
    EXPECT_EQ(labels[i].copies, 2);
    EXPECT_EQ(labels[i].image.width, 1040) << "130 mm at 203 dpi, in whole bytes";
    EXPECT_EQ(symbol::VerifyScan(labels[i].image, symbol::ParseElementString(rows[i]), gs1.dictionary), "");
  }
}

TEST_F(LabelPrintTest, APrinterThatCannotBeReachedOrStopsIsOneLine) {
  const std::vector<std::string> one = {"--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A1"};
  int closedPort = 0;
  {
    FakePrinter gone;
    closedPort = std::stoi(gone.Uri().substr(gone.Uri().rfind(':') + 1));
  }
  std::vector<std::string> refused = {"print", Example("label-template.ufo"), "--printer",
                                      "socket://127.0.0.1:" + std::to_string(closedPort)};
  refused.insert(refused.end(), one.begin(), one.end());
  const Outcome o = Run(refused);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "velmora-label: socket://127.0.0.1:" + std::to_string(closedPort) +
                       ": cannot connect (Connection refused)\n");
  // a printer that takes a little of a long job, then closes
  std::string csv = "GTIN,EXPIRY,LOT\n";
  for (int i = 0; i < 300; ++i) csv += "09506000134352,271231,LOT" + std::to_string(i) + "\n";
  FakePrinter stops(1000);
  const Outcome cut = Run({"print", Example("label-template.ufo"), "--values", work.Write("many.csv", csv), "--printer",
                           stops.Uri(), "--dpi", "600"});
  EXPECT_EQ(cut.status, 1);
  EXPECT_NE(cut.err.find(stops.Uri() + ": the printer closed the connection"), std::string::npos) << cut.err;
}

TEST_F(LabelPrintTest, PrintersListsTheCupsDestinations) {
  const test::ScopedEnv server("CUPS_SERVER", "127.0.0.1:1");  // a machine without CUPS running
  const Outcome o = Run({"printers"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "no CUPS destinations (none is set up, or CUPS is not running)\n");
}

TEST_F(LabelPrintTest, WhatPrintRefusesBeforeAnyJob) {
  const struct {
    std::vector<std::string> args;
    std::string says;
  } rows[] = {
      {{"--printer", "socket://:9100"}, "socket://:9100: no printer host"},
      {{"--printer", "socket://host:99999"}, "the port '99999' is not a number from 1 to 65535"},
      {{"--printer", "socket://127.0.0.1", "--media", "100x"}, "--media 100x: expected WxHmm, such as 100x50mm"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    std::vector<std::string> args = {"print", Example("label-template.ufo"), "--samples"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
  }
  const Outcome queue = Run({"print", Example("label-template.ufo"), "--samples", "--printer", "no-such-queue"});
  EXPECT_EQ(queue.status, 1);
  EXPECT_NE(queue.err.find("no-such-queue: no CUPS queue of that name, and no ipp:// URI"), std::string::npos)
      << queue.err;
}

}  // namespace
}  // namespace velmora
