#pragma once
// The options that several of velmora-label's commands share, declared once:
// what carries the label's elements (--symbol, --module, --dl-domain), where
// and how the labels are written (--out, --format, --dpi, --verify), and sheets
// of label stock (--sheet, --grid, --gap).
#include <string>

#include <CLI/CLI.hpp>

#include "OfferedOptions.h"
#include "commands/StockWords.h"
#include "label/BatchRender.h"

namespace velmora::app {

// A --dl-domain: http(s)://HOST[:PORT][/PATH], with nothing a URI's data would take.
CLI::Validator DomainValidator();
// Each group below is declared only when `offered` names one of its options.
void AddSymbolOptions(CLI::App* command, label::RenderOptions& o, const OfferedOptions& offered);
void AddRenderOptions(CLI::App* command, label::RenderOptions& o, std::string& format, const OfferedOptions& offered);
void AddSheetOptions(CLI::App* command, commands::SheetWords& w, const OfferedOptions& offered);
// --media, --layout, --text and --text-file: the stock and what is laid out on it.
void AddStockOptions(CLI::App* command, label::RenderOptions& o, commands::StockWords& w,
                     const OfferedOptions& offered);

}  // namespace velmora::app
