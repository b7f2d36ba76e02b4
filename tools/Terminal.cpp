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

