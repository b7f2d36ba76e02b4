#pragma once
// Table text as people read it. The tables are GBK; terminals, editors and JSON readers want
// UTF-8.

#include <string>
#include <string_view>

// The GBK text as UTF-8. Plain ASCII stays as it is; every byte that does not belong to a GBK
// character shows as \xHH (lower-case hexadecimal), so that a mistake stays visible: a lone
// byte above 0x7F, a lead byte without its second byte, a pair the code page does not define.
std::string ReadableText(std::string_view gbk);
