#pragma once
#include <string>

// Deciphers a .dat table into its readable text, or enciphers readable text into the .dat
// form the module reads (both with the tables' seed). 0 when written; 1 when the input cannot
// be read (or deciphered), the output cannot be written, or, without bForce, the input is
// already in the form asked for (plain for decode, enciphered for encode); 2 when IN and OUT
// are one file, under whatever names. Nothing is written unless 0 is returned.
int RunDatDecode(const std::string& strIn, const std::string& strOut, bool bForce);
int RunDatEncode(const std::string& strIn, const std::string& strOut, bool bForce);
