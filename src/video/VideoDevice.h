#pragma once

#include <string>

// One entry of the camera list: a V4L2 capture node, or the built-in test
// camera, which has no path.
struct VideoDevice {
    std::string name;
    std::string path;

    bool synthetic() const { return path.empty(); }
};
