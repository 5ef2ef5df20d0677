#include "mail/code_page_charset.h"

namespace mail {

std::string CharsetOfCodePage(unsigned codePage) {
  if (codePage >= 1250 && codePage <= 1258) return "windows-" + std::to_string(codePage);
  if (codePage >= 28591 && codePage <= 28599) return "iso-8859-" + std::to_string(codePage - 28590);
  switch (codePage) {
    case 437: return "ibm437";
    case 850: return "ibm850";
    case 866: return "ibm866";
    case 874: return "windows-874";
    case 932: return "shift_jis";
    case 936: return "gbk";
    case 949: return "ks_c_5601-1987";
    case 950: return "big5";
    case 20127: return "us-ascii";
    case 20866: return "koi8-r";
    case 21866: return "koi8-u";
    case 65001: return "utf-8";
    default: return {};
  }
}

}  // namespace mail
