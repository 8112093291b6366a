// vorq: the command-line front end of the COBOL-structures-to-tables import.

#include "Cli.h"

int main(int argc, char** argv) {
    return vorq::app::runVorq(argc, argv);
}
