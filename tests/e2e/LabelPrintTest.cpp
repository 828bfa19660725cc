// velmora-label print to printers of the suite's own on loopback: a ZPL printer
// on raw TCP and an IPP printer, each with a table of ways to misbehave. Each
// run ends within its limit, says why, and counts exactly the whole labels the
// printer holds.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "ProcessFixture.h"
#include "support/FakePrinters.h"
#include "support/ShippedData.h"
#include "support/ZplDecode.h"
#include "symbol/Gs1Data.h"
#include "symbol/ScanBack.h"

namespace velmora {
namespace {

using test::FakeIppPrinter;
using test::FakeLabelPrinter;
using test::IppBehaviour;
using test::Outcome;
using test::RawBehaviour;

class LabelPrintTest : public test::ProcessFixture {
 protected:
  // A values file of `rows` good rows, each with its own lot.
  std::string Rows(int rows) {
    std::string csv = "GTIN,EXPIRY,LOT\n";
    for (int i = 1; i <= rows; ++i) csv += "09506000134352,271231,LOT" + std::to_string(i) + "\n";
    return work.Write("rows" + std::to_string(rows) + ".csv", csv);
  }
  Outcome Print(const std::string& printer, int rows, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"print", Example("label-template.ufo"), "--values", Rows(rows), "--printer",
                                     printer};
    args.insert(args.end(), more.begin(), more.end());
    return Run(args);
  }
  // The count the run said ("217 of 300 labels printed") equals the whole
  // labels the printer holds; a part of one more only where the run named it.
  static void ExpectCountIsWhatThePrinterHolds(const Outcome& o, const std::string& held) {
    std::smatch said;
    ASSERT_TRUE(std::regex_search(o.out, said, std::regex("^(\\d+) of \\d+ labels printed"))) << o.out << o.err;
    bool part = false;
    EXPECT_EQ(test::WholeLabels(held, &part), std::stoi(said[1])) << o.err;
    EXPECT_EQ(part, o.err.find("reached it in part") != std::string::npos) << o.err;
  }
};

TEST_F(LabelPrintTest, EveryLabelThePrinterReceivesScansBackAsItsRow) {
  FakeLabelPrinter printer(RawBehaviour().Answering(test::HostStatusAnswer(false, false, 0)));
  const Outcome o = Run({"print", Example("label-template.ufo"), "--values", Example("labels.csv"), "--printer",
                         printer.Uri(), "--media", "130x30mm", "--copies", "2", "--verify"});
  EXPECT_EQ(o.status, 1) << "two rows of the example are wrong";
  EXPECT_NE(o.out.find("3 of 5 labels printed to " + printer.Uri()), std::string::npos) << o.out;
  const std::vector<test::ZplLabelImage> labels = test::DecodeZplLabels(printer.Held());
  ASSERT_EQ(labels.size(), 3u);
  const symbol::Gs1Data& gs1 = test::ShippedGs1();
  const char* rows[] = {"(01)09506000134352(17)271231(10)ABC123", "(01)09506000134352(17)280229(10)LOT,7",
                        "(01)09506000134352(17)280630(10)ABC127"};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    SCOPED_TRACE(rows[i]);
    EXPECT_EQ(labels[i].copies, 2);
    EXPECT_EQ(labels[i].image.width, 1040) << "130 mm at 203 dpi, in whole bytes";
    EXPECT_EQ(symbol::VerifyScan(labels[i].image, symbol::ParseElementString(rows[i]), gs1.dictionary), "");
  }
  // An element string printed as it is, without a template.
  FakeLabelPrinter plain(RawBehaviour().Answering(test::HostStatusAnswer(false, false, 0)));
  const Outcome e = Run({"print", "--elements", rows[2], "--printer", plain.Uri(), "--media", "130x30mm"});
  EXPECT_EQ(e.status, 0) << e.err;
  const std::vector<test::ZplLabelImage> one = test::DecodeZplLabels(plain.Held());
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(symbol::VerifyScan(one[0].image, symbol::ParseElementString(rows[2]), gs1.dictionary), "");
}

TEST_F(LabelPrintTest, ALabelPrinterThatMisbehavesEndsTheRunWithTheCountItHolds) {
  const std::string ready = test::HostStatusAnswer(false, false, 0);
  const struct {
    const char* name;
    RawBehaviour printer;
    int rows;
    std::vector<std::string> args;
    int status;
    std::string says;
  } cases[] = {
      {"takes all", RawBehaviour().Answering(ready), 300, {}, 0, "300 of 300 labels printed"},
      {"never reads", RawBehaviour().NeverReading(), 300, {"--timeout", "1"}, 1, "the printer took no data for 1 s"},
      {"closes mid-job",
       RawBehaviour().ClosingAfter(1 << 20).Answering(ready),
       300,
       {},
       1,
       "the printer closed the connection (Connection reset by peer); the printer took "},
      {"paper out",
       RawBehaviour().Answering(test::HostStatusAnswer(true, true, 0)),
       3,
       {},
       1,
       "the printer reports paper out and paused; nothing was sent"},
      {"no ~HS answer", RawBehaviour(), 3, {}, 0, "did not answer its host status (~HS) in 2 s; sending without it"},
      {"slow, never cut off",
       RawBehaviour().Reading(200000).Answering(ready),
       150,
       {"--timeout", "3"},
       0,
       "150 of 150 labels printed"},
      {"labels stay in its buffer",
       RawBehaviour().Answering(test::HostStatusAnswer(false, false, 3)),
       3,
       {"--wait", "--timeout", "1"},
       1,
       "the printer printed nothing for 1 s (3 labels wait in its buffer)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLabelPrinter printer(c.printer);
    const Outcome o = Print(printer.Uri(), c.rows, c.args);
    EXPECT_EQ(o.status, c.status) << o.out << o.err;
    EXPECT_NE((o.out + o.err).find(c.says), std::string::npos) << o.out << o.err;
    ExpectCountIsWhatThePrinterHolds(o, printer.Held());
  }
}

// A printer busy with another job whose queue of connections is full: the run
// waits the limit for a connection, then says so.
TEST_F(LabelPrintTest, APrinterWhoseConnectionQueueIsFullIsWaitedOnForTheLimit) {
  FakeLabelPrinter busy(RawBehaviour().Serving(0).Queueing(0));
  const int other = ::socket(AF_INET, SOCK_STREAM, 0);  // the job it is busy with fills its one place
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<std::uint16_t>(std::stoi(busy.Uri().substr(busy.Uri().rfind(':') + 1))));
  ASSERT_EQ(::connect(other, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  const Outcome o = Print(busy.Uri(), 1, {"--timeout", "1"});
  ::close(other);
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("no connection in 1 s (the printer does not answer, or is busy with another job); nothing "
                       "was sent"),
            std::string::npos)
      << o.err;
}

// A run cut short by the printer goes on with --from-row: the two runs together
// give every label once, the label the printer cut in two again whole.
TEST_F(LabelPrintTest, ARunResumedFromTheRowItNamesPrintsEveryLabelOnce) {
  FakeLabelPrinter cut(RawBehaviour().ClosingAfter(1 << 20));
  const Outcome first = Print(cut.Uri(), 300);
  std::smatch from;
  ASSERT_TRUE(std::regex_search(first.err, from, std::regex("--from-row (\\d+)"))) << first.err;
  std::string held = cut.Held();
  held.resize(held.rfind("^XZ\n") + 4);
  FakeLabelPrinter rest((RawBehaviour()));
  const Outcome second = Print(rest.Uri(), 300, {"--from-row", from[1]});
  EXPECT_EQ(second.status, 0) << second.err;
  held += rest.Held();
  ASSERT_EQ(Run({"render", Example("label-template.ufo"), "--values", Rows(300), "--format", "zpl", "--dpi", "203",
                 "--out", work.Path() + "all.zpl"})
                .status,
            0);
  EXPECT_EQ(std::regex_replace(held, std::regex("~HS"), ""), work.Read("all.zpl"));
}

TEST_F(LabelPrintTest, CtrlCOrSigtermStopsAfterAWholeLabelAndSaysWhereToGoOn) {
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    FakeLabelPrinter printer(RawBehaviour().Reading(300000));
    test::ChildProcess run(
        {VELMORA_LABEL_EXE, "print", Example("label-template.ufo"), "--values", Rows(300), "--printer", printer.Uri()},
        work.Path() + "err.txt");
    for (int i = 0; i < 400 && printer.Received() < 100000; ++i) ::usleep(10000);
    run.Signal(signal);
    EXPECT_EQ(run.Wait(), 128 + signal);
    const std::string err = work.Read("err.txt");
    EXPECT_NE(err.find(signal == SIGINT ? "interrupted by Ctrl-C (SIGINT)" : "interrupted by SIGTERM"),
              std::string::npos)
        << err;
    bool part = true;
    const int held = test::WholeLabels(printer.Held(), &part);
    EXPECT_FALSE(part) << "half a label reached the printer";
    EXPECT_NE(err.find("the printer took " + std::to_string(held) + " of 300 labels whole"), std::string::npos) << err;
  }
}

TEST_F(LabelPrintTest, AnIppPrinterThatMisbehavesIsOneLineWithItsRealCause) {
  const struct {
    IppBehaviour printer;
    std::string says;
    int jobs;
    int cancels;
  } cases[] = {
      {IppBehaviour::Works, "1 of 1 labels printed", 1, 0},
      {IppBehaviour::Answers500, "the printer did not say what it takes (HTTP 500 Internal Server Error)", 0, 0},
      {IppBehaviour::Truncated, "the printer did not say what it takes (the answer is not an IPP message)", 0, 0},
      {IppBehaviour::Hangs, "the printer did not say what it takes (no answer in 1 s)", 0, 0},
      {IppBehaviour::BusyTwice, "1 of 1 labels printed", 1, 0},
      {IppBehaviour::StaysPending, "job 1 made no progress for 1 s (pending); job 1 cancelled at the printer", 1, 1},
      {IppBehaviour::FailsAfterJob,
       "the printer has not answered about job 1 for 1 s (HTTP 500 Internal Server Error); job 1 cancelled", 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    FakeIppPrinter printer(c.printer);
    const Outcome o = Print(printer.Uri(), 1, {"--timeout", "1", "--media", "130x30mm"});
    EXPECT_EQ(o.status, c.jobs == 1 && c.cancels == 0 ? 0 : 1) << o.out << o.err;
    EXPECT_NE((o.out + o.err).find(c.says), std::string::npos) << o.out << o.err;
    if (c.jobs == 0) {
      EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }
    EXPECT_EQ(printer.Jobs(), c.jobs);
    EXPECT_EQ(printer.Cancels(), c.cancels);
  }
}

// Ctrl-C while the document is still going up: the run ends at once, the
// printer gets no job, and no job file is left in the temporary folder.
TEST_F(LabelPrintTest, CtrlCDuringAnIppUploadStopsAtOnceAndLeavesNothing) {
  FakeIppPrinter printer(IppBehaviour::ReadsSlowly);
  const std::string tmp = work.Path() + "tmp";
  std::filesystem::create_directories(tmp);
  const test::ScopedEnv scratch("TMPDIR", tmp.c_str());
  test::ChildProcess run({VELMORA_LABEL_EXE, "print", Example("label-template.ufo"), "--values", Rows(300), "--printer",
                          printer.Uri(), "--media", "130x30mm"},
                         work.Path() + "err.txt");
  ::usleep(1500000);
  run.Signal(SIGINT);
  EXPECT_EQ(run.Wait(), 130);
  EXPECT_NE(work.Read("err.txt").find("interrupted by Ctrl-C (SIGINT)"), std::string::npos) << work.Read("err.txt");
  EXPECT_EQ(printer.Jobs(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(tmp));
}

TEST_F(LabelPrintTest, CupsOutOfReachIsSaidAsSuch) {
  FakeIppPrinter hangs(IppBehaviour::Hangs);
  const std::string port = hangs.Uri().substr(16, hangs.Uri().find('/', 16) - 16);
  const struct {
    std::string server;
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {"127.0.0.1:1", {"printers"}, "CUPS at 127.0.0.1:1: cannot connect (Connection refused)"},
      {"127.0.0.1:" + port, {"printers", "--timeout", "1"}, "did not list its queues (no answer in 1 s)"},
      {"127.0.0.1:1",
       {"print", Example("label-template.ufo"), "--samples", "--printer", "office"},
       "office: not a socket://, ipp:// or ipps:// URI, and CUPS at 127.0.0.1:1: cannot connect"},
      {"127.0.0.1:" + port,
       {"print", Example("label-template.ufo"), "--samples", "--printer", "office", "--timeout", "1"},
       "office: CUPS at 127.0.0.1:" + port + " did not say whether it has that queue (no answer in 1 s)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    const test::ScopedEnv server("CUPS_SERVER", c.server.c_str());
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
  }
}

TEST_F(LabelPrintTest, WhatPrintRefusesBeforeAnyJob) {
  const struct {
    std::vector<std::string> args;
    std::string says;
  } rows[] = {
      {{"--printer", "socket://:9100"}, "socket://:9100: no printer host"},
      {{"--printer", "socket://host:99999"}, "the port '99999' is not a number from 1 to 65535"},
      {{"--printer", "socket://127.0.0.1", "--media", "100x"},
       "--media 100x: expected A6, A5, WxHin (4x6in) or WxHmm (100x50mm)"},
      {{"--printer", "socket://127.0.0.1", "--from-row", "2"}, "--from-row 2: there is 1 row"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    std::vector<std::string> args = {"print", Example("label-template.ufo"), "--samples"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
  }
}

// A label wider than its stock or than the printer prints is refused before a
// byte of it is sent, saying by how much and what makes it fit.
TEST_F(LabelPrintTest, ALabelThatDoesNotFitSaysWhatWouldMakeItFit) {
  const struct {
    std::vector<std::string> args;
    std::string says;
  } rows[] = {
      {{"--media", "80x30mm"}, "35.4 mm wider than the 80 x 30 mm stock; --module 0.27mm makes it fit"},
      {{"--media", "130x14mm"}, "5.0 mm taller than the 130 x 14 mm stock; --bar-height 7.0mm makes it low enough"},
      {{"--print-width", "100"}, "15.4 mm wider than the printer prints (100 mm, --print-width); --module 0.34mm"},
      {{"--media", "130x200mm", "--text-size", "20"}, "the text is what is wider: a smaller --text-size, or --no-text"},
      {{"--layout", "gs1-logistic", "--media", "4x6in", "--print-width", "100"},
       "1.6 mm wider than the printer prints (100 mm, --print-width); a logistics label is as wide as its --media"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    FakeLabelPrinter printer(RawBehaviour().Answering(test::HostStatusAnswer(false, false, 0)));
    std::vector<std::string> args = {"print", "--elements", "(01)09506000134352(17)271231(10)ABC123", "--printer",
                                     printer.Uri()};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
    EXPECT_EQ(test::DecodeZplLabels(printer.Held()).size(), 0u);
  }
  // The text wraps before an AI to the stock's width: a GS1 DataMatrix label fits 60 x 40 mm stock.
  FakeLabelPrinter printer(RawBehaviour().Answering(test::HostStatusAnswer(false, false, 0)));
  const Outcome o = Run({"print", "--elements", "(01)09506000134352(17)271231(10)ABC123", "--symbol", "gs1-datamatrix",
                         "--printer", printer.Uri(), "--media", "60x40mm", "--verify"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(test::DecodeZplLabels(printer.Held()).size(), 1u);
}

}  // namespace
}  // namespace velmora
