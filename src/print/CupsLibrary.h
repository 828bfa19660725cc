#pragma once
// libcups, opened the first time an office printer is asked for: a run that
// draws files or prints to a label printer's socket never maps it, nor the
// TLS, Kerberos, avahi and D-Bus libraries it brings (its start-up is that
// much shorter). Its declarations come from its own headers.
#include <cups/cups.h>
#include <cups/raster.h>

#include "platform/SharedLibrary.h"

namespace velmora::print {

// clang-format off
#define VELMORA_CUPS_FUNCTIONS(F) \
  F(cupsDoFileRequest) \
  F(cupsDoRequest) \
  F(cupsEncryption) \
  F(cupsFreeDests) \
  F(cupsGetDests2) \
  F(cupsGetNamedDest) \
  F(cupsGetOption) \
  F(cupsGetResponse) \
  F(cupsLastError) \
  F(cupsLastErrorString) \
  F(cupsRasterClose) \
  F(cupsRasterInitPWGHeader) \
  F(cupsRasterOpen) \
  F(cupsRasterWriteHeader2) \
  F(cupsRasterWritePixels) \
  F(cupsSendRequest) \
  F(cupsServer) \
  F(cupsUser) \
  F(cupsWriteRequestData) \
  F(httpClose) \
  F(httpConnect2) \
  F(httpError) \
  F(httpGetStatus) \
  F(httpSeparateURI) \
  F(httpSetTimeout) \
  F(httpStatus) \
  F(ippAddInteger) \
  F(ippAddString) \
  F(ippDelete) \
  F(ippErrorString) \
  F(ippFindAttribute) \
  F(ippGetCount) \
  F(ippGetInteger) \
  F(ippGetResolution) \
  F(ippGetString) \
  F(ippLength) \
  F(ippNewRequest) \
  F(ippPort) \
  F(pwgMediaForPWG) \
  F(pwgMediaForSize)
// clang-format on

struct CupsLibrary {
  VELMORA_CUPS_FUNCTIONS(VELMORA_TABLE_MEMBER)
};

// The library, opened once; throws PrintError when it is not installed.
const CupsLibrary& Cups();

}  // namespace velmora::print
