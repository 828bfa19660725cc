// Writes the compiled-in index of the settings files the program ships
// (profile/FrozenProfiles.h) as a C++ source, parsed by the very code that
// parses them at run time. Run by the build: `freeze-profiles OUTPUT.cpp FILE...`.
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/Utf8Text.h"
#include "platform/ini/IniDocument.h"

namespace {

// Bytes as a string literal: octal escapes (always three digits, so a digit
// after one is never taken into it) for all but plain printable ASCII.
std::string Literal(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\' && c != '?') {
      out += c;
    } else {
      const char octal[] = {'\\', static_cast<char>('0' + (b >> 6)), static_cast<char>('0' + ((b >> 3) & 7)),
                            static_cast<char>('0' + (b & 7)), 0};
      out += octal;
      if (b == '\n') out += "\"\n\"";
    }
  }
  return out + "\"";
}

std::string Span(velmora::IniSpan s) { return "{" + std::to_string(s.pos) + "," + std::to_string(s.size) + "}"; }

// Writes the file's arrays; returns its row of the table.
std::string Write(std::ostream& out, int n, const std::string& bytes) {
  const std::string text = velmora::DecodeFileText(bytes);
  const velmora::IniDocument doc = velmora::IniDocument::Parse(text);
  const velmora::IniIndex index = doc.Index();
  const std::string id = std::to_string(n);
  const bool sameText = index.text == bytes;
  out << "constexpr char kBytes" << id << "[] = " << Literal(bytes) << ";\n";
  if (!sameText) out << "constexpr char kText" << id << "[] = " << Literal(index.text) << ";\n";
  out << "constexpr IniKey kKeys" << id << "[] = {";
  for (const auto& k : index.keys) out << "{" << Span(k.name) << "," << Span(k.value) << "," << k.hash << "u},\n";
  // Each array ends in a spare element (C++ has no empty array); the spans give the counts.
  out << "{}};\nconstexpr IniSection kSections" << id << "[] = {";
  for (const auto& s : index.sections)
    out << "{" << Span(s.name) << "," << s.hash << "u," << s.firstKey << "," << s.keyCount << "," << s.firstSlot << ","
        << s.slotCount << "},\n";
  out << "{}};\nconstexpr std::uint32_t kSlots" << id << "[] = {";
  for (const auto v : index.slots) out << v << ",";
  out << "0};\nconstexpr std::uint32_t kSectionSlots" << id << "[] = {";
  for (const auto v : index.sectionSlots) out << v << ",";
  out << "0};\n";
  const auto span = [&id](const char* array, std::size_t count) {
    return "{" + std::string(array) + id + ", " + std::to_string(count) + "}";
  };
  return "    {" + span("kBytes", bytes.size()) + ", {" + span(sameText ? "kBytes" : "kText", index.text.size()) +
         ", " + span("kKeys", index.keys.size()) + ", " + span("kSections", index.sections.size()) + ", " +
         span("kSlots", index.slots.size()) + ", " + span("kSectionSlots", index.sectionSlots.size()) + "}},\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: freeze-profiles OUTPUT.cpp FILE...\n";
    return 2;
  }
  try {
    std::ostringstream tables;
    std::ostringstream entries;
    for (int i = 2; i < argc; ++i) {
      std::ifstream in(argv[i], std::ios::binary);
      if (!in) throw std::runtime_error(std::string(argv[i]) + ": cannot read this file");
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      entries << Write(tables, i, bytes);
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Made by freeze-profiles from the shipped settings files: do not edit.\n"
        << "#include \"platform/profile/FrozenProfiles.h\"\n\n#include <cstdint>\n\nnamespace velmora {\nnamespace {\n"
        << tables.str() << "constexpr FrozenProfile kProfiles[] = {\n"
        << entries.str() << "};\n}  // namespace\n\n"
        << "std::span<const FrozenProfile> FrozenProfiles() { return kProfiles; }\n\n}  // namespace velmora\n";
    if (!out) throw std::runtime_error(std::string(argv[1]) + ": cannot write this file");
  } catch (const std::exception& e) {
    std::cerr << "freeze-profiles: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
