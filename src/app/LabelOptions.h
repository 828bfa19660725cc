#pragma once
// The options that several of velmora-label's commands share, declared once:
// what carries the label's elements (--symbol, --module, --dl-domain), where
// and how the labels are written (--out, --format, --dpi, --verify), and sheets
// of label stock (--sheet, --grid, --gap).
#include <string>

#include <CLI/CLI.hpp>

#include "commands/StockWords.h"
#include "label/BatchRender.h"

namespace velmora::app {

// A --dl-domain: http(s)://HOST[:PORT][/PATH], with nothing a URI's data would take.
CLI::Validator DomainValidator();
void AddSymbolOptions(CLI::App* command, label::RenderOptions& o);
void AddRenderOptions(CLI::App* command, label::RenderOptions& o, std::string& format);
void AddSheetOptions(CLI::App* command, commands::SheetWords& w);
// --media, --layout, --text and --text-file: the stock and what is laid out on it.
void AddStockOptions(CLI::App* command, label::RenderOptions& o, commands::StockWords& w);

}  // namespace velmora::app
