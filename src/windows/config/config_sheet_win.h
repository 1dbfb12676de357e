#pragma once

// Configuration mode: reads the settings, shows the six-page sheet modally and
// on OK writes the edited settings back. Returns IDOK after OK, else IDCANCEL.
int RunConfigSheet();
