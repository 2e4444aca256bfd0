// CorvaneHost's entry point. The overlay it holds up comes with the blank-screen work of the
// session-services library; until then it refuses to start rather than pretend to blank anything.
#include <windows.h>

#include <cstdio>

int main() {
  std::printf("[SessionHelper] Blank-screen hosting is not built into this CorvaneHost\n");
  std::fflush(stdout);
  return 1;
}
