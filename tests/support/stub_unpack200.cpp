// Stands in for the runtime's unpack200 tool: writes "unpacked:" and the packed file's bytes to the
// target, so a test sees that the tool ran with the right two arguments.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::FILE* in = std::fopen(argv[1], "rb");
  if (!in) return 1;
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) return 1;
  std::fputs("unpacked:", out);
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof(buffer), in)) > 0) std::fwrite(buffer, 1, n, out);
  std::fclose(in);
  std::fclose(out);
  return 0;
}
