#include "bundle/bundle_markers.h"

namespace {

const char kParamsMarkerHex[] = "59bdc952aa35adbb10efde672c47e0b5d4821f8152a102442aebaa7b793b9345"
                                "aed2097a3e2f2efaff1df09b197c15b81e6dc610417e5ced51b1191c3ce294d8";
const char kTailMarkerHex[] = "1d432a505b7a1f642347212417323c50216c0466295c297b0b5b19332f4f0f4d"
                              "2758182415394e792b7615593d574900112905652b1070665e2d406075433008"
                              "614a747e401b533b5646371e4b2c725930443a3c2f44782b2665717139732523"
                              "101451243170104a0d05572a060a53214d2c130036291a74472d1a552c2f4263";

int hexDigit(char c) { return c <= '9' ? c - '0' : c - 'a' + 10; }

std::string fromHex(const char* hex) {
  std::string bytes;
  for (const char* p = hex; p[0] && p[1]; p += 2) bytes += static_cast<char>(hexDigit(p[0]) * 16 + hexDigit(p[1]));
  return bytes;
}

} // namespace

std::string paramsMarker() { return fromHex(kParamsMarkerHex); }
std::string tailMarker() { return fromHex(kTailMarkerHex); }
