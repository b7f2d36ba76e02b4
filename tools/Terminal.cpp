#include "Terminal.h"

#include <cstdlib>

#include "ToolPlatform.h"

bool StdoutIsTerminal() { return ToolPlatform::IsTerminal(stdout); }

bool StderrIsTerminal() { return ToolPlatform::IsTerminal(stderr); }

bool ColourWanted(FILE* pStream) {
  const char* pszNoColour = std::getenv("NO_COLOR");
  if (pszNoColour != nullptr && pszNoColour[0] != '\0') return false;
  return ToolPlatform::IsTerminal(pStream) && ToolPlatform::EnableColourSequences(pStream);
}

std::string Coloured(std::string_view text, Colour colour, bool bColour) {
  if (!bColour) return std::string(text);
  const char* pszStart = "";
  switch (colour) {
    case Colour::Red:
      pszStart = "\x1b[31m";
      break;
    case Colour::Yellow:
      pszStart = "\x1b[33m";
      break;
    case Colour::Green:
      pszStart = "\x1b[32m";
      break;
    case Colour::Cyan:
      pszStart = "\x1b[36m";
      break;
    case Colour::Bold:
      pszStart = "\x1b[1m";
      break;
    case Colour::Dim:
      pszStart = "\x1b[2m";
      break;
  }
  return pszStart + std::string(text) + "\x1b[0m";
}
