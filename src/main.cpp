// The program's entry: everything happens in Main.
#include "mirelkon/main_flow.h"

int main(int argc, char** argv) {
  return mirelkon::Main(argc, argv);
}
