#pragma once
#include <string>

// Deciphers a .dat table into its readable text, or enciphers readable text into the .dat
// form the module reads (both with the tables' seed). 0 when written, 1 when the input cannot
// be read (or deciphered) or the output cannot be written.
int RunDatDecode(const std::string& strIn, const std::string& strOut);
int RunDatEncode(const std::string& strIn, const std::string& strOut);
