// Velmaro: a design rainfall over one small watershed turned into its surface-runoff hydrograph.

#include "ui/Program.h"

int main(int argc, char *argv[])
{
    velmaro::Program program(argc, argv);
    return program.Run();
}
