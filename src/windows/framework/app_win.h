#pragma once

class CWnd;

// The main window: when it is destroyed the message loop ends.
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* pWnd);

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();
