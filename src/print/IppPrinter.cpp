#include "print/IppPrinter.h"

#include "print/CupsLibrary.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace velmora::print {
namespace {

struct HttpClose {
  void operator()(http_t* http) const { Cups().httpClose(http); }
};
struct IppDelete {
  void operator()(ipp_t* ipp) const { Cups().ippDelete(ipp); }
};
using Http = std::unique_ptr<http_t, HttpClose>;
using Ipp = std::unique_ptr<ipp_t, IppDelete>;

struct Target {
  std::string uri;
  std::string resource;
  Http http;
};

// The printer's URI: the destination itself, or a CUPS queue's.
std::string UriOf(const std::string& destination) {
  if (destination.starts_with("ipp://") || destination.starts_with("ipps://")) return destination;
  cups_dest_t* dest = Cups().cupsGetNamedDest(CUPS_HTTP_DEFAULT, destination.c_str(), nullptr);
  if (dest == nullptr) throw PrintError(destination + ": no CUPS queue of that name, and no ipp:// URI");
  const char* uri = Cups().cupsGetOption("printer-uri-supported", dest->num_options, dest->options);
  std::string found = uri != nullptr ? uri : "ipp://localhost/printers/" + destination;
  Cups().cupsFreeDests(1, dest);
  return found;
}

Target Connect(const std::string& destination) {
  Target t;
  t.uri = UriOf(destination);
  char scheme[32], user[256], host[256], resource[1024];
  int port = 0;
  if (Cups().httpSeparateURI(HTTP_URI_CODING_ALL, t.uri.c_str(), scheme, sizeof scheme, user, sizeof user, host,
                             sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK) {
    throw PrintError(t.uri + ": not a printer URI");
  }
  const http_encryption_t encryption =
      std::string(scheme) == "ipps" ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED;
  t.http.reset(Cups().httpConnect2(host, port, nullptr, AF_UNSPEC, encryption, 1, 10000, nullptr));
  if (!t.http) throw PrintError(t.uri + ": cannot connect (" + Cups().cupsLastErrorString() + ")");
  t.resource = resource;
  return t;
}

Ipp Request(ipp_op_t operation, const Target& t) {
  Ipp request(Cups().ippNewRequest(operation));
  Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, t.uri.c_str());
  Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                      Cups().cupsUser());
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

const char* StateName(int state) {
  switch (state) {
    case IPP_PSTATE_IDLE: return "idle";
    case IPP_PSTATE_PROCESSING: return "processing";
    case IPP_PSTATE_STOPPED: return "stopped";
  }
  return "unknown";
}

IppPrinterInfo Ask(const Target& t) {
  Ipp response(
      Cups().cupsDoRequest(t.http.get(), Request(IPP_OP_GET_PRINTER_ATTRIBUTES, t).release(), t.resource.c_str()));
  if (!response || Cups().cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    throw PrintError(t.uri + ": the printer did not answer what it takes (" + Cups().cupsLastErrorString() + ")");
  }
  IppPrinterInfo info;
  info.uri = t.uri;
  info.state =
      StateName(Cups().ippGetInteger(Cups().ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM), 0));
  const std::vector<std::string> message = Strings(response.get(), "printer-state-message");
  info.stateMessage = message.empty() ? "" : message.front();
  info.stateReasons = Strings(response.get(), "printer-state-reasons");
  info.formats = Strings(response.get(), "document-format-supported");
  const std::vector<std::string> media = Strings(response.get(), "media-default");
  info.mediaDefault = media.empty() ? "" : media.front();
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

// The job's state, and its message when it has one.
int JobState(const Target& t, int job, std::string& reason) {
  Ipp request = Request(IPP_OP_GET_JOB_ATTRIBUTES, t);
  Cups().ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  Ipp response(Cups().cupsDoRequest(t.http.get(), request.release(), t.resource.c_str()));
  if (!response) return IPP_JSTATE_PENDING;
  const std::vector<std::string> reasons = Strings(response.get(), "job-state-reasons");
  reason = reasons.empty() ? "" : reasons.front();
  return Cups().ippGetInteger(Cups().ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM), 0);
}

void Cancel(const Target& t, int job) {
  Ipp request = Request(IPP_OP_CANCEL_JOB, t);
  Cups().ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  Ipp(Cups().cupsDoRequest(t.http.get(), request.release(), t.resource.c_str()));
}

}  // namespace

bool IppPrinterInfo::Takes(const std::string& format) const {
  for (const std::string& f : formats) {
    if (f == format) return true;
  }
  return false;
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

IppPrinterInfo AskPrinter(const std::string& destination) { return Ask(Connect(destination)); }

void WritePwgRaster(const std::string& pbm, int dpi, const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) throw PrintError(path + ": cannot be written");
  cups_raster_t* raster = Cups().cupsRasterOpen(fd, CUPS_RASTER_WRITE_PWG);
  std::size_t at = 0;
  bool ok = raster != nullptr;
  while (ok && at < pbm.size()) {
    unsigned width = 0;
    unsigned height = 0;
    int used = 0;
    if (std::sscanf(pbm.c_str() + at, "P4 %u %u%n", &width, &height, &used) != 2 || width == 0 || height == 0) break;
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
  ::close(fd);
  if (!ok || at != pbm.size()) throw PrintError(path + ": the labels could not be made into PWG raster");
}

int PrintFile(const std::string& destination, const std::string& path, const std::string& format,
              const std::string& title, const std::function<bool()>& cancelled) {
  const Target t = Connect(destination);
  const IppPrinterInfo info = Ask(t);
  if (const std::string refusal = info.Refusal(); !refusal.empty()) throw PrintError(t.uri + ": " + refusal);
  if (!info.Takes(format)) throw PrintError(t.uri + ": the printer does not take " + format);
  Ipp request = Request(IPP_OP_PRINT_JOB, t);
  Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
  Cups().ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, format.c_str());
  Ipp response(Cups().cupsDoFileRequest(t.http.get(), request.release(), t.resource.c_str(), path.c_str()));
  if (!response || Cups().cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    throw PrintError(t.uri + ": the printer refused the job (" + Cups().cupsLastErrorString() + ")");
  }
  const int job = Cups().ippGetInteger(Cups().ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER), 0);
  for (std::string reason;;) {
    const int state = JobState(t, job, reason);
    if (state == IPP_JSTATE_COMPLETED) return job;
    if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED) {
      throw PrintError(t.uri + ": job " + std::to_string(job) +
                       (state == IPP_JSTATE_ABORTED ? " aborted" : " cancelled") +
                       (reason.empty() ? "" : " (" + reason + ")"));
    }
    if (cancelled && cancelled()) {
      Cancel(t, job);
      throw PrintError(t.uri + ": job " + std::to_string(job) + " cancelled at the printer");
    }
    ::usleep(200000);
  }
}

bool MediaSize(const std::string& pwgName, double& width, double& height) {
  pwg_media_t* media = Cups().pwgMediaForPWG(pwgName.c_str());
  if (media == nullptr || media->width <= 0 || media->length <= 0) return false;
  width = media->width / 100.0;  // hundredths of a millimetre
  height = media->length / 100.0;
  return true;
}

std::vector<std::string> ListDestinations() {
  cups_dest_t* dests = nullptr;
  const int count = Cups().cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::string line = dests[i].name;
    try {
      const IppPrinterInfo info = AskPrinter(dests[i].name);
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
