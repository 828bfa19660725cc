// velmora-label print to an IPP printer: Debian's ippeveprinter, started by the
// test on a free loopback port, keeps every job it receives; each page of the
// kept PDF is drawn (pdftoppm) and scanned back.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "ChildProcess.h"
#include "ProcessFixture.h"
#include "support/PngImage.h"
#include "support/PwgRead.h"
#include "support/ShippedData.h"
#include "symbol/Gs1Data.h"
#include "symbol/ScanBack.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::Outcome;

int FreePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof a;
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
  ::close(s);
  return ntohs(a.sin_port);
}

bool Answers(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

// ippeveprinter needs DNS-SD: a system bus and avahi, started here when the
// machine has none running. They are left running: the suite's other
// processes may be printing through them at the same moment.
class IppPrintTest : public test::ProcessFixture {
 protected:
  static void SetUpTestSuite() {
    if (::geteuid() != 0) return;
    // One test process at a time starts them: two buses or two avahis at once fail.
    const int lock = ::open("/tmp/velmora-ipp-daemons.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    ::flock(lock, LOCK_EX);
    StartDaemons();
    ::flock(lock, LOCK_UN);
    ::close(lock);
  }
  static void StartDaemons() {
    if (std::system("pgrep -x dbus-daemon >/dev/null") != 0) {
      std::system("mkdir -p /run/dbus && rm -f /run/dbus/pid && dbus-daemon --system --fork >/dev/null 2>&1");
    }
    for (int i = 0; i < 50 && !fs::exists("/run/dbus/system_bus_socket"); ++i) ::usleep(100000);
    if (std::system("avahi-daemon --check 2>/dev/null") != 0) std::system("avahi-daemon -D >/dev/null 2>&1");
    for (int i = 0; i < 50 && std::system("avahi-daemon --check 2>/dev/null") != 0; ++i) ::usleep(100000);
  }

  // A printer taking `formats`, keeping its jobs in the spool folder, each
  // job "printed" by `command`.
  std::string StartPrinter(const std::string& formats, const std::string& command = "/bin/true") {
    const int port = FreePort();
    fs::create_directories(work.Path() + "spool");
    // ippeveprinter ends at once while DNS-SD is still coming up: started again then.
    for (int attempt = 0; attempt < 10 && !Answers(port); ++attempt) {
      printer_ = ::fork();
      if (printer_ == 0) {
        const std::string p = std::to_string(port);
        const std::string spool = work.Path() + "spool";
        const int log = ::open((work.Path() + "printer.log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        ::dup2(log, 1);
        ::dup2(log, 2);
        ::execlp("ippeveprinter", "ippeveprinter", "-p", p.c_str(), "-f", formats.c_str(), "-k", "-d", spool.c_str(),
                 "-c", command.c_str(), "-r", "off", "velmora test printer", static_cast<char*>(nullptr));
        ::_exit(127);
      }
      for (int i = 0; i < 50 && !Answers(port); ++i) {
        if (::waitpid(printer_, nullptr, WNOHANG) == printer_) {
          printer_ = -1;
          ::usleep(300000);
          break;
        }
        ::usleep(50000);
      }
    }
    EXPECT_TRUE(Answers(port)) << "ippeveprinter (cups-ipp-utils) did not start";
    return "ipp://127.0.0.1:" + std::to_string(port) + "/ipp/print";
  }
  void TearDown() override {
    if (printer_ > 0) {
      ::kill(printer_, SIGTERM);
      ::waitpid(printer_, nullptr, 0);
    }
  }
  pid_t printer_ = -1;
};

TEST_F(IppPrintTest, OneJobAsPdfEveryLabelScannedBackFromWhatThePrinterKept) {
  const std::string uri = StartPrinter("application/pdf,image/pwg-raster");
  const Outcome o = Run({"print", Example("label-template.ufo"), "--values", Example("labels.csv"), "--printer", uri,
                         "--media", "130x30mm"});
  EXPECT_EQ(o.status, 1) << "two rows of the example are wrong";
  EXPECT_NE(o.out.find("3 of 5 labels printed to " + uri + " (job 1 completed"), std::string::npos) << o.out << o.err;
  std::string pdf;
  for (const auto& entry : fs::directory_iterator(work.Path() + "spool")) {
    if (entry.path().extension() == ".pdf") pdf = entry.path().string();
  }
  ASSERT_FALSE(pdf.empty()) << "the printer kept no PDF";
  ASSERT_EQ(std::system(("pdftoppm -r 300 -png " + pdf + " " + work.Path() + "page").c_str()), 0);
  const symbol::Gs1Data& gs1 = test::ShippedGs1();
  const char* rows[] = {"(01)09506000134352(17)271231(10)ABC123", "(01)09506000134352(17)280229(10)LOT,7",
                        "(01)09506000134352(17)280630(10)ABC127"};
  // the same labels on a sheet of label stock: one A4 page
  const Outcome sheet = Run({"print", Example("label-template.ufo"), "--values", Example("labels.csv"), "--printer",
                             uri, "--sheet", "A4", "--grid", "1x8", "--gap", "1mm"});
  EXPECT_NE(sheet.out.find("3 of 5 labels printed to " + uri + " (job 2 completed"), std::string::npos)
      << sheet.out << sheet.err;
  // no stock given: each label on the printer's default media (ippeveprinter's is US Letter)
  const Outcome plain = Run({"print", Example("label-template.ufo"), "--set", "GTIN=09506000134352", "--set",
                             "EXPIRY=271231", "--set", "LOT=A1", "--printer", uri});
  EXPECT_NE(plain.out.find("1 of 1 labels printed to " + uri + " (job 3 completed"), std::string::npos)
      << plain.out << plain.err;
  std::string third;
  for (const auto& entry : fs::directory_iterator(work.Path() + "spool")) {
    // ippeveprinter also keeps its print command's output (an empty .prn) beside the job
    const fs::path& f = entry.path();
    if (f.filename().string().starts_with("3-") && f.extension() == ".pdf") third = f.string();
  }
  ASSERT_EQ(std::system(("pdfinfo " + third + " | grep -E '^Page size' >" + work.Path() + "third.txt").c_str()), 0);
  EXPECT_EQ(work.Read("third.txt"), "Page size:       612 x 792 pts (letter)\n");
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE(rows[page - 1]);
    const std::string png = work.Path() + "page-" + std::to_string(page) + ".png";
    EXPECT_EQ(symbol::VerifyScan(test::LoadPngGrey(png), symbol::ParseElementString(rows[page - 1]), gs1.dictionary),
              "");
  }
}

TEST_F(IppPrintTest, APrinterThatTakesNoPdfGetsPwgRasterAtItsResolution) {
  const std::string uri = StartPrinter("image/pwg-raster");
  const Outcome o = Run({"print", Example("label-template.ufo"), "--values", Example("labels.csv"), "--printer", uri,
                         "--media", "130x30mm"});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.out.find("3 of 5 labels printed to " + uri + " (job 1 completed as PWG raster at "), std::string::npos)
      << o.out << o.err;
  std::string pwg;
  for (const auto& entry : fs::directory_iterator(work.Path() + "spool")) {
    if (entry.path().extension() == ".pwg") pwg = entry.path().string();
  }
  const std::vector<symbol::GreyImage> pages = test::ReadPwgPages(pwg);
  ASSERT_EQ(pages.size(), 3u) << pwg;
  const symbol::Gs1Data& gs1 = test::ShippedGs1();
  const char* rows[] = {"(01)09506000134352(17)271231(10)ABC123", "(01)09506000134352(17)280229(10)LOT,7",
                        "(01)09506000134352(17)280630(10)ABC127"};
  for (std::size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(rows[i]);
    EXPECT_EQ(symbol::VerifyScan(pages[i], symbol::ParseElementString(rows[i]), gs1.dictionary), "");
  }
}

TEST_F(IppPrintTest, APrinterThatCannotBeReachedOrTakesNeitherFormatIsOneLine) {
  const std::vector<std::string> one = {"--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A1"};
  const std::string nobody = "ipp://127.0.0.1:" + std::to_string(FreePort()) + "/ipp/print";
  std::vector<std::string> args = {"print", Example("label-template.ufo"), "--printer", nobody};
  args.insert(args.end(), one.begin(), one.end());
  const Outcome unreachable = Run(args);
  EXPECT_EQ(unreachable.status, 1);
  EXPECT_NE(unreachable.err.find(nobody + ": cannot connect (Connection refused)"), std::string::npos)
      << unreachable.err;
  EXPECT_EQ(std::count(unreachable.err.begin(), unreachable.err.end(), '\n'), 1);
  const std::string jpeg = StartPrinter("image/jpeg");
  args[3] = jpeg;
  const Outcome neither = Run(args);
  EXPECT_EQ(neither.status, 1);
  EXPECT_NE(neither.err.find(jpeg + ": the printer takes neither PDF nor PWG raster"), std::string::npos)
      << neither.err;
}

// The printer's own print command says it paused (as a printer does when the
// operator presses pause): the first job prints, the next is refused before
// anything is sent.
TEST_F(IppPrintTest, APausedPrinterIsRefusedBeforeTheJobIsSent) {
  work.Write("pause", "#!/bin/sh\necho 'STATE: +paused' >&2\n");
  fs::permissions(work.Path() + "pause", fs::perms::owner_all);
  const std::string uri = StartPrinter("application/pdf", work.Path() + "pause");
  const std::vector<std::string> args = {"print",     Example("label-template.ufo"),
                                         "--set",     "GTIN=09506000134352",
                                         "--set",     "EXPIRY=271231",
                                         "--set",     "LOT=A1",
                                         "--printer", uri,
                                         "--media",   "130x30mm"};
  const Outcome first = Run(args);
  EXPECT_EQ(first.status, 0) << first.err;
  const Outcome paused = Run(args);
  EXPECT_EQ(paused.status, 1);
  EXPECT_EQ(paused.err, "velmora-label: " + uri + ": the printer is paused\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(work.Path() + "spool"), fs::directory_iterator()), 2)
      << "one job and its output";
}

// Ctrl-C while the printer is still printing the job cancels it there, and says what it printed.
TEST_F(IppPrintTest, CtrlCCancelsTheJobAtThePrinter) {
  work.Write("slow", "#!/bin/sh\nexec >/dev/null 2>&1\nsleep 3\n");  // a printer that takes its time
  fs::permissions(work.Path() + "slow", fs::perms::owner_all);
  const std::string uri = StartPrinter("application/pdf", work.Path() + "slow");
  test::ChildProcess print({VELMORA_LABEL_EXE, "print", Example("label-template.ufo"), "--set", "GTIN=09506000134352",
                            "--set", "EXPIRY=271231", "--set", "LOT=A1", "--printer", uri, "--media", "130x30mm"},
                           work.Path() + "print-err.txt");
  for (int i = 0; i < 200 && work.Read("printer.log").find("Print-Job successful-ok") == std::string::npos; ++i) {
    ::usleep(25000);
  }
  print.Signal(SIGINT);
  EXPECT_EQ(print.Wait(), 130);
  EXPECT_EQ(work.Read("print-err.txt"), "velmora-label: " + uri +
                                            ": interrupted by Ctrl-C (SIGINT); job 1 cancelled at the printer; the "
                                            "printer took none of the 1 labels\nvelmora-label: to print the rest, run "
                                            "the same command with --from-row 1\n");
  EXPECT_NE(work.Read("printer.log").find("Cancel-Job successful-ok"), std::string::npos) << work.Read("printer.log");
}

}  // namespace
}  // namespace velmora
