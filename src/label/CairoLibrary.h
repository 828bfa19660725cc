#pragma once
// cairo, opened the first time a PDF label is drawn: no other run maps it, nor
// the font and X libraries it brings. Its declarations come from its own headers.
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>

#include "platform/SharedLibrary.h"

namespace velmora::label {

// clang-format off
#define VELMORA_CAIRO_FUNCTIONS(F) \
  F(cairo_create) \
  F(cairo_destroy) \
  F(cairo_fill) \
  F(cairo_font_options_create) \
  F(cairo_font_options_destroy) \
  F(cairo_font_options_set_hint_metrics) \
  F(cairo_font_options_set_hint_style) \
  F(cairo_ft_font_face_create_for_ft_face) \
  F(cairo_get_font_options) \
  F(cairo_move_to) \
  F(cairo_pdf_surface_create_for_stream) \
  F(cairo_pdf_surface_set_metadata) \
  F(cairo_pdf_surface_set_size) \
  F(cairo_rectangle) \
  F(cairo_restore) \
  F(cairo_rotate) \
  F(cairo_save) \
  F(cairo_scale) \
  F(cairo_set_font_face) \
  F(cairo_set_font_options) \
  F(cairo_set_font_size) \
  F(cairo_set_source_rgb) \
  F(cairo_show_page) \
  F(cairo_show_text) \
  F(cairo_surface_destroy) \
  F(cairo_translate)
// clang-format on

struct CairoLibrary {
  VELMORA_CAIRO_FUNCTIONS(VELMORA_TABLE_MEMBER)
};

// The library, opened once; throws std::runtime_error when it is not installed.
const CairoLibrary& Cairo();

}  // namespace velmora::label
