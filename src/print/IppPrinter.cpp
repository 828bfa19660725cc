#include "print/IppPrinter.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/UnnamedFile.h"
#include "print/CupsLibrary.h"
#include "print/TcpLink.h"

namespace velmora::print {
namespace {

using Clock = std::chrono::steady_clock;

struct HttpClose {
  void operator()(http_t* http) const { Cups().httpClose(http); }
};
struct IppDelete {
  void operator()(ipp_t* ipp) const { Cups().ippDelete(ipp); }
};
using Http = std::unique_ptr<http_t, HttpClose>;
using Ipp = std::unique_ptr<ipp_t, IppDelete>;

// How long a job cancelled on the way out may take to be cancelled.
constexpr double kCancelSeconds = 0.8;

// One wait on a connection: libcups asks it, each time nothing came for a
// moment, whether to go on waiting.
struct Wait {
  const Patience* patience = nullptr;
  double limit = 0;
  bool interruptible = true;
  Clock::time_point since;
  bool timedOut = false;
  void Restart(double seconds, bool canBeInterrupted = true) {
    limit = seconds;
    interruptible = canBeInterrupted;
    since = Clock::now();
    timedOut = false;
  }
};

int KeepWaiting(http_t*, void* data) {
  auto* w = static_cast<Wait*>(data);
  if (w->interruptible && w->patience->Interrupted() != 0) return 0;
  w->timedOut = std::chrono::duration<double>(Clock::now() - w->since).count() >= w->limit;
  return w->timedOut ? 0 : 1;
}

// A connection to a printer or to CUPS, every wait on it held to the patience.
class Session {
 public:
  Session(const std::string& label, const std::string& host, int port, http_encryption_t encryption,
          const Patience& patience)
      : label_(label), wait_(std::make_unique<Wait>()) {
    wait_->patience = &patience;
    ProgressWatch watch(patience.stallSeconds);
    for (;;) {
      const auto attempt = Clock::now();
      http_.reset(Cups().httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, encryption, 1, 500, nullptr));
      if (http_) break;
      if (const int signal = patience.Interrupted(); signal != 0) {
        throw PrintError(label + ": interrupted while connecting; nothing was sent", signal);
      }
      if (Clock::now() - attempt < std::chrono::milliseconds(450)) {
        throw PrintError(label + ": cannot connect (" + WhyNoConnection(host, port) + ")");
      }
      if (watch.Stalled()) throw PrintError(label + ": no connection in " + SecondsText(patience.stallSeconds));
    }
    Cups().httpSetTimeout(http_.get(), 0.2, KeepWaiting, wait_.get());
  }

  http_t* Http() const { return http_.get(); }
  const std::string& Label() const { return label_; }
  Wait& Waiting() { return *wait_; }
  int Interrupted() const { return wait_->patience->Interrupted(); }

  // `request` sent to `resource`, waiting at most `seconds`; nothing when no
  // IPP answer came or it is an error (then Reason() says why).
  Ipp Do(Ipp request, const std::string& resource, double seconds, bool interruptible = true) {
    wait_->Restart(seconds, interruptible);
    Ipp response(Cups().cupsDoRequest(http_.get(), request.release(), resource.c_str()));
    answered_ = response != nullptr;
    if (!Ok()) response.reset();
    return response;
  }
  bool Ok() const { return answered_ && Cups().cupsLastError() <= IPP_STATUS_OK_CONFLICTING; }
  void Answered(bool answered) { answered_ = answered; }

  // Why the last request failed, as the printer or the network said it.
  std::string Reason() const {
    if (wait_->interruptible && Interrupted() != 0) return "interrupted";
    if (wait_->timedOut) return "no answer in " + SecondsText(wait_->limit);
    const http_status_t status = Cups().httpGetStatus(http_.get());
    if (status >= HTTP_STATUS_MULTIPLE_CHOICES) {
      return "HTTP " + std::to_string(static_cast<int>(status)) + " " + Cups().httpStatus(status);
    }
    const int error = Cups().httpError(http_.get());
    // libcups marks an answer it could not read as IPP with EINVAL.
    if (!answered_ && (error == 0 || error == EINVAL)) return "the answer is not an IPP message";
    if (error != 0) return std::strerror(error);
    const std::string message = Cups().cupsLastErrorString();
    const std::string status_name = Cups().ippErrorString(Cups().cupsLastError());
    return message.empty() || message == status_name ? status_name : status_name + ": " + message;
  }

 private:
  // The real cause of a failed connection: libcups leaves errno as it was.
  static std::string WhyNoConnection(const std::string& host, int port) {
    if (host.starts_with('/')) return Cups().cupsLastErrorString();
    std::string why;
    const int fd = ConnectTcp(host, std::to_string(port), Patience{2, {}}, why);
    if (fd < 0) return why;
    ::close(fd);
    return Cups().cupsLastErrorString();
  }

  std::string label_;
  std::unique_ptr<Wait> wait_;  // libcups holds its address
  ::velmora::print::Http http_;
  bool answered_ = false;
};

struct Target {
  std::string uri;
  std::string host;
  std::string resource;
  int port = 0;
  http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
};

Target Split(const std::string& uri) {
  char scheme[32], user[256], host[256], resource[1024];
  Target t;
  t.uri = uri;
  if (Cups().httpSeparateURI(HTTP_URI_CODING_ALL, uri.c_str(), scheme, sizeof scheme, user, sizeof user, host,
                             sizeof host, &t.port, resource, sizeof resource) < HTTP_URI_STATUS_OK) {
    throw PrintError(uri + ": not a printer URI");
  }
  t.host = host;
  t.resource = resource;
  t.encryption = std::string(scheme) == "ipps" ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED;
  return t;
}

// The connection to this machine's CUPS (CUPS_SERVER, else its own socket).
std::unique_ptr<Session> CupsSession(const Patience& patience) {
  const std::string server = Cups().cupsServer();
  const std::string label =
      "CUPS at " + server + (server.starts_with('/') ? "" : ":" + std::to_string(Cups().ippPort()));
  return std::make_unique<Session>(label, server, Cups().ippPort(), Cups().cupsEncryption(), patience);
}

Ipp Request(ipp_op_t operation, const Target& t) {
  Ipp request(Cups().ippNewRequest(operation));
  Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, t.uri.c_str());
  Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                      Cups().cupsUser());
  return request;
}

Ipp JobRequest(ipp_op_t operation, const Target& t, int job) {
  Ipp request = Request(operation, t);
  Cups().ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  return request;
}

std::vector<std::string> Strings(ipp_t* ipp, const char* name) {
  std::vector<std::string> values;
  if (ipp_attribute_t* a = Cups().ippFindAttribute(ipp, name, IPP_TAG_ZERO)) {
    for (int i = 0; i < Cups().ippGetCount(a); ++i) {
      if (const char* v = Cups().ippGetString(a, i, nullptr)) values.emplace_back(v);
    }
  }
  return values;
}

std::string First(ipp_t* ipp, const char* name) {
  const std::vector<std::string> values = Strings(ipp, name);
  return values.empty() ? "" : values.front();
}

// The URI of a CUPS queue, asked of CUPS itself within the limits: CUPS
// unreachable, not answering and without such a queue are each said as what
// they are.
std::string QueueUri(const std::string& name, const Patience& patience) {
  std::unique_ptr<Session> cups;
  try {
    cups = CupsSession(patience);
  } catch (const PrintError& e) {
    throw PrintError(name + ": not a socket://, ipp:// or ipps:// URI, and " + e.what() + ", which knows the queues",
                     e.Signal());
  }
  Target queue;  // the queue at the CUPS server asked (its own socket is reached as localhost)
  const std::string server = Cups().cupsServer();
  queue.resource = "/printers/" + name;
  queue.uri = "ipp://" + (server.starts_with('/') ? std::string("localhost") : server) + ":" +
              std::to_string(Cups().ippPort()) + queue.resource;
  Ipp response = cups->Do(Request(IPP_OP_GET_PRINTER_ATTRIBUTES, queue), queue.resource, patience.stallSeconds);
  if (!response && Cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND && cups->Interrupted() == 0) {
    throw PrintError(name + ": " + cups->Label() +
                     " has no queue of that name, and it is no socket://, ipp:// or ipps:// URI (velmora-label "
                     "printers lists the queues; a printer found on the network is named by its ipp:// URI, which "
                     "ippfind lists)");
  }
  if (!response) {
    throw PrintError(name + ": " + cups->Label() + " did not say whether it has that queue (" + cups->Reason() + ")",
                     cups->Interrupted());
  }
  const std::string uri = First(response.get(), "printer-uri-supported");
  return uri.empty() ? queue.uri : uri;
}

std::unique_ptr<Session> Open(const std::string& destination, const Patience& patience, Target& t) {
  const bool uri = destination.starts_with("ipp://") || destination.starts_with("ipps://");
  t = Split(uri ? destination : QueueUri(destination, patience));
  return std::make_unique<Session>(t.uri, t.host, t.port, t.encryption, patience);
}

int Integer(ipp_t* ipp, const char* name, ipp_tag_t tag, int otherwise) {
  ipp_attribute_t* a = Cups().ippFindAttribute(ipp, name, tag);
  return a != nullptr ? Cups().ippGetInteger(a, 0) : otherwise;
}

const char* JobStateName(int state) {
  switch (state) {
    case IPP_JSTATE_PENDING: return "pending";
    case IPP_JSTATE_HELD: return "held";
    case IPP_JSTATE_PROCESSING: return "processing";
    case IPP_JSTATE_STOPPED: return "processing-stopped";
  }
  return "unknown state";
}

const char* StateName(int state) {
  switch (state) {
    case IPP_PSTATE_IDLE: return "idle";
    case IPP_PSTATE_PROCESSING: return "processing";
    case IPP_PSTATE_STOPPED: return "stopped";
  }
  return "unknown";
}

IppPrinterInfo Ask(Session& s, const Target& t) {
  Ipp response = s.Do(Request(IPP_OP_GET_PRINTER_ATTRIBUTES, t), t.resource, s.Waiting().patience->stallSeconds);
  if (!response) {
    throw PrintError(t.uri + ": the printer did not say what it takes (" + s.Reason() + ")", s.Interrupted());
  }
  IppPrinterInfo info;
  info.uri = t.uri;
  info.state = StateName(Integer(response.get(), "printer-state", IPP_TAG_ENUM, 0));
  info.stateMessage = First(response.get(), "printer-state-message");
  info.stateReasons = Strings(response.get(), "printer-state-reasons");
  info.formats = Strings(response.get(), "document-format-supported");
  info.mediaDefault = First(response.get(), "media-default");
  info.media = Strings(response.get(), "media-supported");
  if (ipp_attribute_t* a =
          Cups().ippFindAttribute(response.get(), "pwg-raster-document-resolution-supported", IPP_TAG_RESOLUTION)) {
    ipp_res_t units;
    int y = 0;
    const int x = Cups().ippGetResolution(a, 0, &y, &units);
    if (x > 0) info.rasterDpi = units == IPP_RES_PER_CM ? static_cast<int>(x * 2.54 + 0.5) : x;
  }
  return info;
}

// The 1-bit P4 images of `pbm` (one a label) as PWG raster in `fd`, a page a label at `dpi`.
void WritePwgRaster(std::string_view pbm, int dpi, int fd) {
  cups_raster_t* raster = Cups().cupsRasterOpen(fd, CUPS_RASTER_WRITE_PWG);
  std::size_t at = 0;
  bool ok = raster != nullptr;
  while (ok && at < pbm.size()) {
    unsigned width = 0;
    unsigned height = 0;
    int used = 0;
    const std::string head(pbm.substr(at, 40));
    if (std::sscanf(head.c_str(), "P4 %u %u%n", &width, &height, &used) != 2 || width == 0 || height == 0) break;
    at += static_cast<std::size_t>(used) + 1;  // the one white-space byte before the rows
    const unsigned rowBytes = (width + 7) / 8;
    if (at + static_cast<std::size_t>(rowBytes) * height > pbm.size()) break;
    pwg_media_t* media =
        Cups().pwgMediaForSize(static_cast<int>(width * 2540.0 / dpi), static_cast<int>(height * 2540.0 / dpi));
    cups_page_header2_t h{};
    ok = media != nullptr && Cups().cupsRasterInitPWGHeader(&h, media, "black_1", dpi, dpi, "one-sided", nullptr) != 0;
    // The page is the label's own image, whatever size the media table rounds to.
    h.cupsWidth = width;
    h.cupsHeight = height;
    h.cupsBytesPerLine = rowBytes;
    h.PageSize[0] = static_cast<unsigned>(width * 72.0 / dpi + 0.5);
    h.PageSize[1] = static_cast<unsigned>(height * 72.0 / dpi + 0.5);
    ok = ok && Cups().cupsRasterWriteHeader2(raster, &h) != 0;
    auto* rows = reinterpret_cast<unsigned char*>(const_cast<char*>(pbm.data() + at));
    ok = ok && Cups().cupsRasterWritePixels(raster, rows, rowBytes * height) == rowBytes * height;
    at += static_cast<std::size_t>(rowBytes) * height;
  }
  if (raster != nullptr) Cups().cupsRasterClose(raster);
  if (!ok || at != pbm.size()) throw PrintError("the labels could not be made into PWG raster");
}

// The job's document uploaded as it goes, the printer asked again while it is
// busy; the job's number, or 0 when the run was interrupted first (nothing was
// created: the unfinished upload is dropped with the connection).
int Submit(Session& s, const Target& t, const PrintJob& job, std::string_view document, const char* format,
           Delivery& d) {
  const Patience& patience = *s.Waiting().patience;
  ProgressWatch watch(patience.stallSeconds);
  for (double backoff = 0.25;; backoff = std::min(backoff * 2, 4.0)) {
    Ipp request = Request(IPP_OP_PRINT_JOB, t);
    Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, job.title.c_str());
    Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, format);
    s.Waiting().Restart(patience.stallSeconds);
    // The length is the whole body's: the request, then the document.
    http_status_t status = Cups().cupsSendRequest(s.Http(), request.get(), t.resource.c_str(),
                                                  Cups().ippLength(request.get()) + document.size());
    for (std::size_t at = 0; status == HTTP_STATUS_CONTINUE && at < document.size(); at += 1 << 16) {
      if ((d.signal = s.Interrupted()) != 0) return 0;
      s.Waiting().Restart(patience.stallSeconds);
      const std::string_view chunk = document.substr(at, 1 << 16);
      status = Cups().cupsWriteRequestData(s.Http(), chunk.data(), chunk.size());
    }
    Ipp response(status == HTTP_STATUS_CONTINUE ? Cups().cupsGetResponse(s.Http(), t.resource.c_str()) : nullptr);
    s.Answered(response != nullptr);
    if (s.Ok()) return Integer(response.get(), "job-id", IPP_TAG_INTEGER, 0);
    if ((d.signal = s.Interrupted()) != 0) return 0;
    const ipp_status_t refusal = Cups().cupsLastError();
    const bool busy = refusal == IPP_STATUS_ERROR_BUSY || refusal == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ||
                      Cups().httpGetStatus(s.Http()) == HTTP_STATUS_SERVICE_UNAVAILABLE;
    if (!busy || watch.Stalled()) {
      throw PrintError(t.uri + ": the printer did not take the job (" + s.Reason() + ")" +
                       (busy ? ", busy for " + SecondsText(patience.stallSeconds) : "") + "; nothing was printed");
    }
    if (!Nap(backoff, patience)) {
      d.signal = s.Interrupted();
      return 0;
    }
  }
}

// Cancels the job on the way out; false when the printer did not confirm it.
bool Cancel(Session& s, const Target& t, int job) {
  return s.Do(JobRequest(IPP_OP_CANCEL_JOB, t, job), t.resource, kCancelSeconds, false) != nullptr;
}

struct JobState {
  int state = 0;
  int pages = -1;  // job-impressions-completed, when the printer says
  std::string reason;
  bool operator!=(const JobState& o) const { return state != o.state || pages != o.pages; }
};

// A job stopped on the way (no progress, or the run interrupted): what it printed, then cancelled.
void Settle(Session& s, const Target& t, int id, const PrintJob& job, const JobState& j, Delivery& d) {
  d.counted = j.pages >= 0;
  d.labels = d.counted ? std::min(j.pages * job.labelsPerPage, job.labels) : 0;
  d.said = "job " + std::to_string(id) +
           (Cancel(s, t, id) ? " cancelled at the printer" : " could not be cancelled: it may still print");
}

// Follows job `id` until it ends, makes no progress for the limit, or the run is interrupted.
void Follow(Session& s, const Target& t, int id, const PrintJob& job, Delivery& d) {
  const Patience& patience = *s.Waiting().patience;
  ProgressWatch watch(patience.stallSeconds);
  JobState last;
  std::string why;
  for (;;) {
    Ipp request = JobRequest(IPP_OP_GET_JOB_ATTRIBUTES, t, id);
    if (Ipp r = s.Do(std::move(request), t.resource, patience.stallSeconds)) {
      const JobState now{Integer(r.get(), "job-state", IPP_TAG_ENUM, 0),
                         Integer(r.get(), "job-impressions-completed", IPP_TAG_INTEGER, -1),
                         First(r.get(), "job-state-reasons")};
      if (now != last) watch.Progress();
      last = now;
      why.clear();
      if (now.state == IPP_JSTATE_COMPLETED) {
        d.labels = job.labels;
        d.said = "job " + std::to_string(id) + " completed";
        return;
      }
      if (now.state == IPP_JSTATE_ABORTED || now.state == IPP_JSTATE_CANCELED) {
        d.problem = "job " + std::to_string(id) + (now.state == IPP_JSTATE_ABORTED ? " aborted" : " cancelled") +
                    (now.reason.empty() ? "" : " (" + now.reason + ")");
        d.counted = now.pages >= 0;
        d.labels = d.counted ? std::min(now.pages * job.labelsPerPage, job.labels) : 0;
        return;
      }
    } else {
      why = s.Reason();
    }
    if ((d.signal = s.Interrupted()) == 0 && watch.Stalled()) {
      d.problem = why.empty() ? "job " + std::to_string(id) + " made no progress for " +
                                    SecondsText(patience.stallSeconds) + " (" + JobStateName(last.state) +
                                    (last.reason.empty() || last.reason == "none" ? "" : ", " + last.reason) + ")"
                              : "the printer has not answered about job " + std::to_string(id) + " for " +
                                    SecondsText(patience.stallSeconds) + " (" + why + ")";
    }
    if (d.signal != 0 || !d.problem.empty() || !Nap(0.5, patience)) {
      d.signal = s.Interrupted();
      return Settle(s, t, id, job, last, d);
    }
  }
}

}  // namespace

bool IppPrinterInfo::Takes(const std::string& format) const {
  return std::find(formats.begin(), formats.end(), format) != formats.end();
}

// A paused printer keeps jobs without printing them; it may still say it is
// idle, so its reasons are read before its state.
std::string IppPrinterInfo::Refusal() const {
  for (const std::string& r : stateReasons) {
    if (r.starts_with("paused") || r.starts_with("moving-to-paused")) return "the printer is paused";
  }
  for (const std::string& r : stateReasons) {
    if (r.ends_with("-error")) return "the printer reports " + r;
  }
  if (state != "stopped") return "";
  return "the printer is stopped" + (stateMessage.empty() ? "" : " (" + stateMessage + ")");
}

IppPrinterInfo AskPrinter(const std::string& destination, const Patience& patience) {
  Target t;
  std::unique_ptr<Session> s = Open(destination, patience, t);
  return Ask(*s, t);
}

Delivery SendIpp(const std::string& destination, const PrintJob& job, const Patience& patience) {
  Target t;
  std::unique_ptr<Session> s = Open(destination, patience, t);
  const IppPrinterInfo info = Ask(*s, t);
  if (const std::string refusal = info.Refusal(); !refusal.empty()) throw PrintError(t.uri + ": " + refusal);
  const char* format = job.format == JobFormat::Pdf ? "application/pdf" : "image/pwg-raster";
  if (!info.Takes(format)) throw PrintError(t.uri + ": the printer does not take " + format);
  std::optional<UnnamedFile> pwg;
  std::string_view document = job.bytes;
  if (job.format == JobFormat::PwgRaster) {
    WritePwgRaster(job.bytes, job.dpi, pwg.emplace().Fd());
    document = pwg->Contents();
  }
  Delivery d;
  const int id = Submit(*s, t, job, document, format, d);
  if (id > 0) Follow(*s, t, id, job, d);
  if (job.format == JobFormat::PwgRaster && !d.said.empty())
    d.said += " as PWG raster at " + std::to_string(job.dpi) + " dpi";
  return d;
}

bool MediaSize(const std::string& pwgName, double& width, double& height) {
  pwg_media_t* media = Cups().pwgMediaForPWG(pwgName.c_str());
  if (media == nullptr || media->width <= 0 || media->length <= 0) return false;
  width = media->width / 100.0;  // hundredths of a millimetre
  height = media->length / 100.0;
  return true;
}

std::vector<std::string> ListDestinations(const Patience& patience) {
  const std::unique_ptr<Session> cups = CupsSession(patience);
  cups->Waiting().Restart(patience.stallSeconds);
  cups_dest_t* dests = nullptr;
  const int count = Cups().cupsGetDests2(cups->Http(), &dests);
  if (count == 0 && (cups->Waiting().timedOut || Cups().httpError(cups->Http()) != 0)) {
    throw PrintError(cups->Label() + " did not list its queues (" + cups->Reason() + ")", cups->Interrupted());
  }
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::string line = dests[i].name;
    try {
      const IppPrinterInfo info = AskPrinter(dests[i].name, patience);
      std::string formats;
      for (const std::string& f : info.formats) formats += (formats.empty() ? "" : ",") + f;
      line += "  " + info.state + "  " + formats + "  " + info.mediaDefault;
    } catch (const PrintError& e) {
      line += std::string("  not reached: ") + e.what();
    }
    lines.push_back(line);
  }
  Cups().cupsFreeDests(count, dests);
  return lines;
}

}  // namespace velmora::print
