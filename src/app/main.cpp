#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  std::fputs("usage: tavelo\n", argc > 1 ? stderr : stdout);
  return argc > 1 ? 2 : 0;
}
