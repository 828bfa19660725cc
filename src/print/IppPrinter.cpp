#include "print/IppPrinter.h"

#include <cups/cups.h>
#include <unistd.h>

#include <memory>

namespace velmora::print {
namespace {

struct HttpClose {
  void operator()(http_t* http) const { httpClose(http); }
};
struct IppDelete {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
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
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, destination.c_str(), nullptr);
  if (dest == nullptr) throw PrintError(destination + ": no CUPS queue of that name, and no ipp:// URI");
  const char* uri = cupsGetOption("printer-uri-supported", dest->num_options, dest->options);
  std::string found = uri != nullptr ? uri : "ipp://localhost/printers/" + destination;
  cupsFreeDests(1, dest);
  return found;
}

Target Connect(const std::string& destination) {
  Target t;
  t.uri = UriOf(destination);
  char scheme[32], user[256], host[256], resource[1024];
  int port = 0;
  if (httpSeparateURI(HTTP_URI_CODING_ALL, t.uri.c_str(), scheme, sizeof scheme, user, sizeof user, host, sizeof host,
                      &port, resource, sizeof resource) < HTTP_URI_STATUS_OK) {
    throw PrintError(t.uri + ": not a printer URI");
  }
  const http_encryption_t encryption = std::string(scheme) == "ipps" ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED;
  t.http.reset(httpConnect2(host, port, nullptr, AF_UNSPEC, encryption, 1, 10000, nullptr));
  if (!t.http) throw PrintError(t.uri + ": cannot connect (" + cupsLastErrorString() + ")");
  t.resource = resource;
  return t;
}

Ipp Request(ipp_op_t operation, const Target& t) {
  Ipp request(ippNewRequest(operation));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, t.uri.c_str());
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  return request;
}

std::vector<std::string> Strings(ipp_t* ipp, const char* name) {
  std::vector<std::string> values;
  if (ipp_attribute_t* a = ippFindAttribute(ipp, name, IPP_TAG_ZERO)) {
    for (int i = 0; i < ippGetCount(a); ++i) {
      if (const char* v = ippGetString(a, i, nullptr)) values.emplace_back(v);
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
  Ipp response(cupsDoRequest(t.http.get(), Request(IPP_OP_GET_PRINTER_ATTRIBUTES, t).release(), t.resource.c_str()));
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    throw PrintError(t.uri + ": the printer did not answer what it takes (" + cupsLastErrorString() + ")");
  }
  IppPrinterInfo info;
  info.uri = t.uri;
  info.state = StateName(ippGetInteger(ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM), 0));
  const std::vector<std::string> message = Strings(response.get(), "printer-state-message");
  info.stateMessage = message.empty() ? "" : message.front();
  info.formats = Strings(response.get(), "document-format-supported");
  const std::vector<std::string> media = Strings(response.get(), "media-default");
  info.mediaDefault = media.empty() ? "" : media.front();
  info.media = Strings(response.get(), "media-supported");
  return info;
}

// The job's state, and its message when it has one.
int JobState(const Target& t, int job, std::string& reason) {
  Ipp request = Request(IPP_OP_GET_JOB_ATTRIBUTES, t);
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  Ipp response(cupsDoRequest(t.http.get(), request.release(), t.resource.c_str()));
  if (!response) return IPP_JSTATE_PENDING;
  const std::vector<std::string> reasons = Strings(response.get(), "job-state-reasons");
  reason = reasons.empty() ? "" : reasons.front();
  return ippGetInteger(ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM), 0);
}

void Cancel(const Target& t, int job) {
  Ipp request = Request(IPP_OP_CANCEL_JOB, t);
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  Ipp(cupsDoRequest(t.http.get(), request.release(), t.resource.c_str()));
}

}  // namespace

IppPrinterInfo AskPrinter(const std::string& destination) { return Ask(Connect(destination)); }

int PrintPdf(const std::string& destination, const std::string& pdfPath, const std::string& title,
             const std::function<bool()>& cancelled) {
  const Target t = Connect(destination);
  const IppPrinterInfo info = Ask(t);
  if (info.state == "stopped") {
    throw PrintError(t.uri + ": the printer is stopped" + (info.stateMessage.empty() ? "" : " (" + info.stateMessage + ")"));
  }
  bool takesPdf = false;
  for (const std::string& f : info.formats) takesPdf = takesPdf || f == "application/pdf";
  if (!takesPdf) throw PrintError(t.uri + ": the printer does not take PDF");
  Ipp request = Request(IPP_OP_PRINT_JOB, t);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
  Ipp response(cupsDoFileRequest(t.http.get(), request.release(), t.resource.c_str(), pdfPath.c_str()));
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    throw PrintError(t.uri + ": the printer refused the job (" + cupsLastErrorString() + ")");
  }
  const int job = ippGetInteger(ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER), 0);
  for (std::string reason;;) {
    const int state = JobState(t, job, reason);
    if (state == IPP_JSTATE_COMPLETED) return job;
    if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED) {
      throw PrintError(t.uri + ": job " + std::to_string(job) + (state == IPP_JSTATE_ABORTED ? " aborted" : " cancelled") +
                       (reason.empty() ? "" : " (" + reason + ")"));
    }
    if (cancelled && cancelled()) {
      Cancel(t, job);
      throw PrintError(t.uri + ": job " + std::to_string(job) + " cancelled at the printer");
    }
    ::usleep(200000);
  }
}

std::vector<std::string> ListDestinations() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
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
  cupsFreeDests(count, dests);
  return lines;
}

}  // namespace velmora::print
