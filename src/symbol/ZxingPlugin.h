#pragma once
// The plain-C face of the zxing-cpp plugin (libvelmora-zxing.so), which the
// programs open only when they scan a symbol back.
#ifdef __cplusplus
extern "C" {
#endif

enum { VELMORA_ZXING_CODE128 = 0, VELMORA_ZXING_DATAMATRIX = 1, VELMORA_ZXING_QRCODE = 2 };

typedef struct VelmoraZxingResult {
  char text[8192];  // the data read, UTF-8, not terminated
  int textLength;
  char symbologyIdentifier[8];  // "]C1", terminated
} VelmoraZxingResult;

// Reads one symbol of `format` in the grey image: 1 read, 0 none found, -1 failed.
int velmora_zxing_read(const unsigned char* pixels, int width, int height, int format, VelmoraZxingResult* result);

#ifdef __cplusplus
}
#endif
