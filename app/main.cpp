// Tallyrun's entry point. The program takes no command-line arguments and keeps no settings.
#include "app/startup.h"

int main(int argc, char** argv)
{
    return tallyrun::RunProgram(argc, argv);
}
