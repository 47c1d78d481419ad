// kolmira-cli: a scripted user of the forms (not built yet).
#include <cstdio>

int main() {
  std::puts("kolmira-cli: not built yet");
  return 0;
}
