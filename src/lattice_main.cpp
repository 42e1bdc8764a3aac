// The entry of mirelkon-lattice: everything happens in LatticeMain.
#include "lattice/lattice_main.h"

int main(int argc, char** argv) {
  return mirelkon::LatticeMain(argc, argv);
}
