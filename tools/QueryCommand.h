#pragma once
#include <string>
#include <vector>

// Loads the data folder through the module, then calls each operation of the command line in
// turn ("OPERATION ARGS... + OPERATION ARGS..."): one JSON answer per line-separated block;
// operations that answer nothing print nothing. 0 when every call was made, 2 for a usage
// error (unknown operation, wrong arguments, unusable folder).
int RunQuery(const std::string& strDataDir, const std::vector<std::string>& args);
// The operations with their arguments and answers.
void PrintOperationList();
