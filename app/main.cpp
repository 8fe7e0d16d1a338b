#include <windows.h>

#include "app/app.h"

namespace {
CPManDlgApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return fw::RunApp(theApp, instance); }
