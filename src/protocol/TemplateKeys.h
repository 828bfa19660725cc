#pragma once
// The label template's sections and keys (128.ufo), the one place both sides
// name them: the wizard's writer and velmora-label's reader. The host reads
// keys with their blanks trimmed; the writer keeps the host's own blanks.
namespace velmora::protocol::keys {

inline constexpr const char* kObjects = "Objlist";  // the template's objects; its "1" names the symbol
inline constexpr const char* kFont = "Font1";
inline constexpr const char* kBarcode = "Barcode1";
inline constexpr const char* kParagraph = "Paragraph1";
inline constexpr const char* kText = "Text1.1";
inline constexpr const char* kVariablePrefix = "Variable";  // Variable1, Variable2, ...

inline constexpr const char* kFaceName = "FaceName";
inline constexpr const char* kFixedPitch = "FixedPitch";
inline constexpr const char* kHeight = "Height";
inline constexpr const char* kXOrigin = "xOrigin";
inline constexpr const char* kYOrigin = "yOrigin";
inline constexpr const char* kSymbology = "Symbology";
inline constexpr const char* kNarrowBarWidth = "NarrowBarWidth";
inline constexpr const char* kData = "Data";          // a literal barcode's data
inline constexpr const char* kTextLine = "Text1";     // a literal paragraph's text
inline constexpr const char* kVariable = "Variable";  // the variable section an object shows
inline constexpr const char* kName = "Name";
inline constexpr const char* kType = "Type";
inline constexpr const char* kValue = "Value";
inline constexpr const char* kFormat = "Format";

}  // namespace velmora::protocol::keys
