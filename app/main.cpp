#include "app/startup.h"

// The command line is not read.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunApplication(instance);
}
