#include "base/MGeneral.h"

#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/MCountry.h"
#include "platform/MessageBox.h"
#include "platform/ProcessExit.h"
#include "platform/Utf8Text.h"

namespace velmora {
namespace {

// The parameter as text; Null, objects and arrays have none to show.
std::string ParameterText(const Variant& params) {
  const VarType type = params.Type();
  if (type == VarType::Null || type == VarType::Object || type == VarType::Array) return {};
  return params.ToText();
}

}  // namespace

void ReportError(std::int16_t errNumber, const std::string& source, std::int16_t endProgram, const Variant& params) {
  if (errNumber == 0) return;
  std::string text = LocalErrorText(CheckedInt16(errNumber + 100));
  if (text.empty()) text = StandardErrorMessage(errNumber);
  const std::string paramText = ParameterText(params);
  if (!paramText.empty()) {
    const std::string& nl = Globals().NewLine;
    text += nl + "Parameters : " + nl + paramText;
  }
  ShowMessageBox(text, kStyleCritical, source);
  if (endProgram == True) EndProcess(1);
}

void ShowFileError(const std::string& message, const std::string& path) {
  const std::string blanks(40, ' ');
  const std::string& nl = Globals().NewLine;
  ShowMessageBox(blanks + nl + message + nl + path + nl + blanks, kStyleExclamation, "EAN 128");
}

void FillListFromArray(const VbArray<std::string>& items, ListControl& list) {
  if (!items.HasElements()) return;
  try {
    list.Clear();
  } catch (...) {
    // a list that refuses to clear still gets its entries
  }
  const std::int32_t first = MaxValue(0, items.LBound()).ToLong();
  for (std::int32_t i = first; i <= items.UBound(); ++i) {
    try {
      list.AddItem(items(i));
      list.SetItemData(list.NewIndex(), i);
    } catch (...) {
      // one entry the control refuses is skipped; the others still go in
    }
  }
}

std::int32_t CountOccurrences(const std::string& text, const std::string& part) {
  if (part.empty()) return CheckedInt32(static_cast<long long>(CodePointCount(text)));
  std::int32_t count = 0;
  std::size_t from = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, from)) {
    count = CheckedInt32(static_cast<long long>(count) + 1);
    from = at + CodePointSize(text, at);  // the next search starts one character on
  }
  return count;
}

std::int16_t LastPosition(const std::string& text, const std::string& part) {
  const std::size_t partLength = CodePointCount(part);
  const std::size_t textLength = CodePointCount(text);
  if (partLength == 0 || textLength < partLength) return 0;
  CheckedInt16(static_cast<long long>(textLength + 1 - partLength));  // the search's 16-bit counter
  const std::size_t at = text.rfind(part);
  if (at == std::string::npos) return 0;
  return static_cast<std::int16_t>(CodePointCount(std::string_view(text).substr(0, at)) + 1);
}

Variant MaxValue(std::int32_t a, std::int32_t b) { return Variant(a <= b ? b : a); }

Variant MinValue(std::int32_t a, std::int32_t b) { return Variant(a >= b ? b : a); }

}  // namespace velmora
