#pragma once

class CSaverApp;

// The application's start-up on Windows: reads the settings, picks the run
// mode from the command line and creates its window; false means the program
// is to end without a message loop.
bool InitInstance(CSaverApp& app, int argc, wchar_t** argv);
