#pragma once
// Text for an HTML page: the characters markup gives a meaning escaped.
#include <string>
#include <string_view>

std::string HtmlEscape(std::string_view text);
// A number for SVG coordinates: at most two decimals, no exponent.
std::string SvgNumber(double dValue);
