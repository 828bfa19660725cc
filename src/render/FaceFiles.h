#pragma once
// The files a label's text is set in: one table maps a template's face to its
// file, a fixed-pitch face (the template's own) to the monospace file, any
// other to the proportional one.
namespace velmora::render {

struct FaceFile {
  bool fixedPitch;
  const char* path;  // from the Debian package `package`, which the program's package depends on
  const char* package;
};

inline constexpr FaceFile kFaceFiles[] = {
    {true, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "fonts-dejavu-core"},
    {false, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "fonts-dejavu-core"},
};

}  // namespace velmora::render
