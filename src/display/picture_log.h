#pragma once

#include <functional>

// A debug switch for long runs: with MIROVANE_PICTURE_LOG naming a file,
// each finished picture rewrites that file with the number of pictures
// drawn so far. Without it, an empty function.
std::function<void()> PictureLogFromEnvironment();
