#include "console/console.h"
#include "console/system_streams.h"
#include "dialogue/dialogue.h"

// The command line and the environment are not read: the program is its dialogue.
int main() {
  veldra::console::StdinSource in;
  veldra::console::StdoutSink out;
  veldra::console::Console console(in, out);
  return out.finish(veldra::dialogue::runMenu(console));
}
