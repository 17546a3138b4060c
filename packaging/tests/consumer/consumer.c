/* A host of the tessel library: converts Big5 "A" and the character A4A4 to seven-bit CNS and
 * prints the bytes in hexadecimal. The library finds its tables through CNSCVT.INI in the current
 * directory. */
#include <stdio.h>
#include <string.h>
#include <tessel.h>

int main(void) {
  const char input[] = "A\xA4\xA4\0";
  char output[CVT_MAX_OUTPUT_SIZE(3)];
  const int32_t result = CVT_StringConvert(CVT_BIG5, CVT_CNS, input, output);
  if (result != CVT_OK) {
    printf("result %d\n", (int)result);
    return 1;
  }
  for (size_t i = 0; output[i] != 0; ++i) printf(i ? " %02X" : "%02X", (unsigned char)output[i]);
  printf("\n");
  return 0;
}
