#include "print/Destination.h"

#include <string_view>

#include "print/IppPrinter.h"
#include "print/RawSocket.h"

namespace velmora::print {
namespace {

class LabelPrinter : public Destination {
 public:
  LabelPrinter(SocketDestination where, const DestinationOptions& o) : where_(std::move(where)), options_(o) {}
  std::string Uri() const override { return where_.Uri(); }
  PrinterNeeds Ask(const Patience&) override { return {}; }
  Delivery Send(const PrintJob& job, const Patience& patience) override {
    return SendZpl(where_, job, patience, options_.waitForPrinter);
  }

 private:
  SocketDestination where_;
  DestinationOptions options_;
};

class OfficePrinter : public Destination {
 public:
  explicit OfficePrinter(std::string name) : name_(std::move(name)), uri_(name_) {}
  std::string Uri() const override { return uri_; }
  PrinterNeeds Ask(const Patience& patience) override {
    const IppPrinterInfo info = AskPrinter(name_, patience);
    uri_ = info.uri;
    if (const std::string why = info.Refusal(); !why.empty()) throw PrintError(info.uri + ": " + why);
    PrinterNeeds needs;
    needs.sheets = info.Takes("application/pdf");  // else PWG raster at the printer's resolution
    if (!needs.sheets && !info.Takes("image/pwg-raster")) {
      throw PrintError(info.uri + ": the printer takes neither PDF nor PWG raster");
    }
    needs.format = needs.sheets ? JobFormat::Pdf : JobFormat::PwgRaster;
    needs.dpi = needs.sheets ? 0 : info.rasterDpi;
    MediaSize(info.mediaDefault, needs.mediaWidth, needs.mediaHeight);
    return needs;
  }
  Delivery Send(const PrintJob& job, const Patience& patience) override { return SendIpp(name_, job, patience); }

 private:
  std::string name_;
  std::string uri_;
};

struct Scheme {
  std::string_view prefix;  // "": any other name
  std::string_view help;
  std::unique_ptr<Destination> (*open)(const std::string& name, const DestinationOptions& options);
};

std::unique_ptr<Destination> OpenSocket(const std::string& name, const DestinationOptions& options) {
  return std::make_unique<LabelPrinter>(*ParseSocketDestination(name), options);
}

std::unique_ptr<Destination> OpenIpp(const std::string& name, const DestinationOptions&) {
  return std::make_unique<OfficePrinter>(name);
}

constexpr Scheme kSchemes[] = {
    {"socket://", "socket://HOST[:PORT]: a ZPL label printer on raw TCP (port 9100)", OpenSocket},
    {"ipp://", "ipp://HOST[:PORT]/PATH: a printer that takes PDF or PWG raster over IPP", OpenIpp},
    {"ipps://", "ipps://HOST[:PORT]/PATH: the same over TLS", OpenIpp},
    {"", "a CUPS queue's name: that queue's printer, over IPP", OpenIpp},
};

}  // namespace

std::unique_ptr<Destination> OpenDestination(const std::string& name, const DestinationOptions& options) {
  for (const Scheme& s : kSchemes) {
    if (name.starts_with(s.prefix)) return s.open(name, options);
  }
  return nullptr;  // the table ends with a row for any name
}

std::string DestinationHelp() {
  std::string help;
  for (const Scheme& s : kSchemes) help += (help.empty() ? "" : "; ") + std::string(s.help);
  return help;
}

}  // namespace velmora::print
