// vorq: the command-line front end of the COBOL-structures-to-tables import.

#include "Cli.h"
#include "HugePages.h"

int main(int argc, char** argv) {
    vorq::app::adviseHugePages(argc, argv);
    return vorq::app::runVorq(argc, argv);
}
