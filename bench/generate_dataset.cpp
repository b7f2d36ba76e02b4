// generate_dataset: writes a complete ini/ folder of every table at a scale factor.
//
//   generate_dataset OUT_DIR [SCALE]     (SCALE 1 by default: a few megabytes; 50: a few hundred)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DataSet.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    fprintf(stderr, "usage: %s OUT_DIR [SCALE]\n", argv[0]);
    return 2;
  }
  int nScale = argc == 3 ? atoi(argv[2]) : 1;
  if (nScale < 1 || nScale > 1000) {
    fprintf(stderr, "%s: the scale is a whole number from 1 to 1000\n", argv[0]);
    return 2;
  }
  std::string strError;
  if (!KestrinBench::WriteDataSet(argv[1], nScale, &strError)) {
    fprintf(stderr, "%s: %s\n", argv[0], strError.c_str());
    return 1;
  }
  printf("%s: data set of scale %d written\n", argv[1], nScale);
  return 0;
}
