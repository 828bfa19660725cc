#include "commands/PrintCommand.h"

#include <csignal>
#include <ostream>

#include "commands/CommandSupport.h"
#include "platform/Interruption.h"
#include "platform/UnnamedFile.h"
#include "print/Destination.h"
#include "print/IppPrinter.h"
#include "print/RawSocket.h"

namespace velmora::commands {
namespace {

using label::OutputFormat;

std::string SignalName(int signal) {
  return signal == SIGINT ? "Ctrl-C (SIGINT)" : signal == SIGTERM ? "SIGTERM" : "a signal";
}

int StatusOf(const print::PrintError& e) { return e.Signal() != 0 ? StatusForSignal(e.Signal()) : kStatusFindings; }

// The rows of the labels `from` to `to` (from 0), as a message says them.
std::string RowsText(const std::vector<int>& rows, int from, int to) {
  const int first = rows[static_cast<std::size_t>(from)];
  const int last = rows[static_cast<std::size_t>(to)];
  return first == last ? "row " + std::to_string(first)
                       : "rows " + std::to_string(first) + " to " + std::to_string(last);
}

// What the printer took of a job that stopped short, and how to go on.
void SayShortfall(const label::RenderSummary& s, const print::Delivery& d, const std::string& uri, std::ostream& err) {
  const std::string why = d.signal != 0 ? "interrupted by " + SignalName(d.signal) : d.problem;
  err << "velmora-label: " << uri << ": " << why;
  if (!d.said.empty()) err << "; " << d.said;
  if (!d.counted) {
    err << "; the printer did not say how many labels it printed: check them before printing again (--from-row N "
           "starts at row N)\n";
    return;
  }
  if (d.labels == 0) {
    err << "; the printer took none of the " << s.drawn << " labels";
  } else {
    err << "; the printer took " << d.labels << " of " << s.drawn << " labels whole, "
        << RowsText(s.drawnRows, 0, d.labels - 1);
  }
  const int next = s.drawnRows[static_cast<std::size_t>(d.labels)];
  if (d.partial) err << "; label " << d.labels + 1 << " (row " << next << ") reached it in part: discard it";
  err << "\nvelmora-label: to print the rest, run the same command with --from-row " << next << '\n';
}

print::PrintJob MakeJob(std::string_view bytes, const print::PrinterNeeds& needs, const label::RenderSummary& s,
                        const label::RenderOptions& o, const std::string& title) {
  print::PrintJob job;
  job.format = needs.format;
  job.bytes = bytes;
  job.labels = s.drawn;
  job.dpi = o.dpi;
  job.title = title;
  job.labelsPerPage = o.sheet.columns > 0 ? o.sheet.columns * o.sheet.rows : 1;
  if (needs.format == print::JobFormat::Zpl) {
    for (std::size_t at = bytes.find("^XZ\n"); at != std::string_view::npos; at = bytes.find("^XZ\n", at + 4)) {
      job.labelEnds.push_back(at + 4);
    }
  }
  return job;
}

// The run drawn as the printer wants it; refuses sheets a printer cannot take.
void FitToPrinter(const print::PrinterNeeds& needs, const std::string& uri, label::RenderOptions& o) {
  if (o.sheet.columns > 0 && !needs.sheets) {
    throw std::runtime_error(uri + (needs.format == print::JobFormat::Zpl
                                        ? ": a label printer prints label by label; --sheet is for PDF printers"
                                        : ": sheets of labels go to printers that take PDF; this one takes PWG "
                                          "raster only"));
  }
  if (o.mediaWidth == 0 && o.sheet.columns == 0 && needs.mediaWidth > 0) {  // the printer's own default media
    o.mediaWidth = needs.mediaWidth;
    o.mediaHeight = needs.mediaHeight;
  }
  o.format = needs.format == print::JobFormat::Zpl   ? OutputFormat::Zpl
             : needs.format == print::JobFormat::Pdf ? OutputFormat::Pdf
                                                     : OutputFormat::Pbm;
  if (needs.dpi > 0) o.dpi = needs.dpi;
}

int Report(const PrintRequest& p, const std::string& uri, const label::RenderSummary& s, std::size_t bytes,
           const print::Delivery& d, std::ostream& out, std::ostream& err) {
  out << d.labels << " of " << s.rows << " labels printed to " << p.printer;
  const bool whole = d.counted && d.labels == s.drawn;
  if (whole) {
    out << " (" << (d.said.empty() ? "" : d.said + ", ") << bytes / static_cast<std::size_t>(s.drawn)
        << " bytes a label)";
    if (s.rejected > 0) out << ", " << s.rejected << (s.rejected == 1 ? " row rejected" : " rows rejected");
    if (p.render.options.verify) out << ", " << s.drawn - s.unverified << " scanned back equal";
  }
  out << std::endl;
  for (const std::string& note : d.notes) err << "velmora-label: " << uri << ": " << note << '\n';
  if (!whole) {
    SayShortfall(s, d, uri, err);
    return d.signal != 0 ? StatusForSignal(d.signal) : kStatusFindings;
  }
  if (!d.problem.empty()) err << "velmora-label: " << uri << ": " << d.problem << '\n';
  return s.AllGood() && d.problem.empty() ? 0 : kStatusFindings;
}

int Print(const PrintRequest& p, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  std::unique_ptr<print::Destination> destination;
  try {
    destination = print::OpenDestination(p.printer, {p.waitForPrinter});
  } catch (const print::PrintError& e) {
    err << "velmora-label: " << e.what() << std::endl;
    return kStatusBadInput;
  }
  RunInput in = ReadRunInput(p.render, dataDir);
  RenderRequest& r = in.request;
  const label::LabelTemplate& t = in.label;
  const symbol::Gs1Data& gs1 = in.gs1;
  std::unique_ptr<label::RowSource> rows;
  try {
    rows = ValueRows(t, r, err);
  } catch (const NoRows& e) {
    err << "velmora-label: " << e.what() << std::endl;
    return kStatusFindings;
  }
  if (p.fromRow > rows->Count()) {
    throw std::runtime_error("--from-row " + std::to_string(p.fromRow) + ": there " +
                             (rows->Count() == 1 ? "is 1 row" : "are " + std::to_string(rows->Count()) + " rows"));
  }
  if (p.fromRow > 1) rows = std::make_unique<label::RowsFrom>(std::move(rows), p.fromRow);
  const print::Patience patience{p.timeoutSeconds, [] { return InterruptingSignal(); }};
  label::RenderOptions& o = r.options;
  print::PrinterNeeds needs;
  try {  // asked before anything is drawn: a printer out of reach is said at once
    needs = destination->Ask(patience);
    FitToPrinter(needs, destination->Uri(), o);
  } catch (const print::PrintError& e) {
    err << "velmora-label: " << e.what() << std::endl;
    return StatusOf(e);
  }
  UnnamedFile file;
  o.jobFd = file.Fd();
  o.out = "the print job";
  o.firstRow = p.fromRow;
  o.cancelled = [] { return InterruptingSignal() != 0; };
  const label::RenderSummary s = label::RenderLabels(t, gs1, *rows, o, err, r.progressBar ? ProgressBar(err) : nullptr);
  if (r.progressBar) err << "\r\033[K" << std::flush;
  if (s.interrupted) {
    err << "velmora-label: interrupted by " << SignalName(InterruptingSignal())
        << " while drawing the labels; nothing was sent to " << destination->Uri() << std::endl;
    return StatusForSignal(InterruptingSignal());
  }
  if (s.drawn == 0) {
    out << "0 of " << s.rows << " labels printed to " << p.printer << std::endl;
    return kStatusFindings;
  }
  const std::string_view bytes = file.Contents();
  print::Delivery d;
  try {
    d = destination->Send(MakeJob(bytes, needs, s, o, r.templatePath), patience);
  } catch (const print::PrintError& e) {
    out << "0 of " << s.rows << " labels printed to " << p.printer << std::endl;
    err << "velmora-label: " << e.what() << std::endl;
    return StatusOf(e);
  }
  return Report(p, destination->Uri(), s, bytes.size(), d, out, err);
}

}  // namespace

int RunPrint(const PrintRequest& request, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  CatchInterruptions();
  return Guarded(out, err, [&] { return Print(request, dataDir, out, err); });
}

int RunPrinters(double timeout, std::ostream& out, std::ostream& err) {
  CatchInterruptions();
  try {
    const std::vector<std::string> printers = print::ListDestinations({timeout, [] { return InterruptingSignal(); }});
    for (const std::string& line : printers) out << line << '\n';
    if (printers.empty()) out << "no CUPS destinations (CUPS has no queue)\n";
    return 0;
  } catch (const print::PrintError& e) {
    err << "velmora-label: " << e.what() << std::endl;
    return StatusOf(e);
  }
}

}  // namespace velmora::commands
